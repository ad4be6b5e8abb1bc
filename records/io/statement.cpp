// SPDX-License-Identifier: GPL-3.0-or-later
// One READ or WRITE statement: the unit, the format engine, the record and
// the outcome, from the statement's start to its end.
#include <new>
#include <optional>
#include <string>

#include "format.h"
#include "input_edit.h"
#include "io.h"
#include "list_input.h"
#include "output_edit.h"
#include "record.h"
#include "units.h"

namespace arb::rt {

namespace {

// Console input came to its end: no branch may repeat the prompt, so this
// always ends the run with the report.
struct ConsoleEnded {};

// A console line into a record: the line end removed, CR dropped, tabs
// widened to tab stops.
void console_record(const std::string& line, std::string& rec, int tab_size) {
  rec.clear();
  std::size_t t = static_cast<std::size_t>(tab_size);
  for (char c : line) {
    if (c == '\n' || c == '\r') continue;
    if (c == '\t')
      rec.append(t - rec.size() % t, ' ');
    else
      rec.push_back(c);
  }
}

}  // namespace

class StatementImpl final : public RecordSource {
 public:
  StatementImpl(Statement::Dir dir, UnitSpec unit, std::string_view format, bool list, Branches br)
      : dir_(dir), br_(br), list_(list), unit_spec_(unit) {
    RecordLayer& rl = start_.layer();
    modes_.lead_zero = !rl.options.no_lead_zero;
    modes_.input = rl.input_options();
    guarded([&] {
      if (unit.internal) {
        if (dir == Statement::Dir::write) throw IoError::runtime(Err::BadUnit);
      } else {
        unit_ = &rl.units.find_or_connect(unit.number);
        if (dir == Statement::Dir::read && !unit_->can_read) throw IoError::runtime(Err::NotOpenRead);
        if (dir == Statement::Dir::write && !unit_->can_write) throw IoError::runtime(Err::NotOpenWrite);
        modes_.blank_zero = unit_->blank_zero;
      }
      if (!list_) {
        const TranslatedFormat* t = rl.formats.get(format);
        int err = t ? engine_.init(t->compiled, t->rc) : engine_.init(format);
        engine_.set_reading(dir == Statement::Dir::read);
        if (err != 0) throw IoError::runtime(static_cast<Err>(err));
        engine_.watch(dir == Statement::Dir::read ? &in_.pos : &out_.pos);
      }
      if (dir == Statement::Dir::read) {
        next_record(in_);
        if (list_) reader_.emplace(*this, in_, modes_.input);
      }
    });
  }

  void put(const OutItem& item) {
    guarded([&] {
      for (;;) {
        Descriptor d = engine_.setformat(item.type);
        if (is_data(d.op)) {
          write_item(out_, d, modes_, item);
          return;
        }
        write_control(d);
      }
    });
  }

  void get(const InItem& item) {
    guarded([&] { get_one(item); });
  }

  void get_reals(std::span<float> values) {
    guarded([&] {
      Descriptor d;
      for (float& x : values) {
        if (!list_ && engine_.next_repeat(d))
          read_real4(in_, d, modes_, x);
        else
          get_one(in_real(x));
      }
    });
  }

  Outcome finish() {
    guarded([&] {
      if (!list_) {
        Descriptor d;
        while (engine_.nextformat(d) && d.op != Op::Colon) {
          if (dir_ == Statement::Dir::write)
            write_control(d);
          else
            read_control(d);
        }
      }
      if (dir_ == Statement::Dir::write) emit_record();
    });
    done_ = true;
    return outcome_;
  }

  // Records of a read: the internal field once, else the unit's next record.
  void next_record(InRecord& rec) override {
    if (unit_spec_.internal) {
      if (records_read_ > 0) throw EndOfInput{};
      rec.text = unit_spec_.field;
    } else if (unit_->kind == Unit::Kind::Console) {
      const std::optional<std::string> line = console_in(kConsoleLine);
      if (!line) throw ConsoleEnded{};
      console_record(*line, text_, layer().options.tab_size);
      rec.text = text_;
    } else {
      if (!unit_->file->read_record(rec.text, layer().options.tab_size)) throw EndOfInput{};
    }
    rec.pos = 0;
    rec.pads = true;
    ++records_read_;
  }

  bool can_read_more() const override { return !unit_spec_.internal; }

 private:
  template <typename F>
  void guarded(F&& f) {
    if (done_) return;
    try {
      f();
    } catch (const IoError& e) {
      fail(e);
    } catch (const EndOfInput&) {
      end_of_input();
    } catch (const ConsoleEnded&) {
      done_ = true;
      report(IoError::runtime(Err::PastEof));
    }
  }

  void fail(const IoError& e) {
    done_ = true;
    if (!br_.err) report(e);
    outcome_ = Outcome::error;
  }

  void end_of_input() {
    done_ = true;
    if (br_.end) {
      outcome_ = Outcome::end;
    } else if (br_.err) {
      outcome_ = Outcome::error;
    } else {
      report(IoError::runtime(Err::PastEof));
    }
  }

  [[noreturn]] void report(const IoError& e) {
    report_failure(e, dir_ == Statement::Dir::read ? "READ" : "WRITE",
                   unit_text(unit_spec_.number, unit_spec_.internal));
  }

  void get_one(const InItem& item) {
    if (list_) {
      reader_->read_item(item);
      return;
    }
    for (;;) {
      Descriptor d = engine_.setformat(item.type);
      if (is_data(d.op) || d.op == Op::Q) {
        read_item(in_, d, modes_, item);
        return;
      }
      read_control(d);
    }
  }

  // Descriptors that transfer no item, and record ends.
  void write_control(const Descriptor& d) {
    if (d.op == Op::End) {
      emit_record();
    } else if (d.op == Op::Slash) {
      for (std::int32_t i = 0; i < d.n; ++i) emit_record();
    } else {
      wposition_spec(out_, d, modes_);
    }
  }

  void read_control(const Descriptor& d) {
    if (d.op == Op::End) {
      next_record(in_);
    } else if (d.op == Op::Slash) {
      for (std::int32_t i = 0; i < d.n; ++i) next_record(in_);
    } else {
      rposition_spec(in_, d, modes_);
    }
  }

  // Delivers the record being written and starts an empty one.
  void emit_record() {
    bool line_end = !modes_.dollar;
    if (unit_->kind == Unit::Kind::Console) {
      std::string text;
      std::string_view body = out_.text;
      if (unit_->carriage) {
        char control = body.empty() ? ' ' : body.front();
        if (!body.empty()) body.remove_prefix(1);
        switch (control) {
          case '0': text = "\n\n"; break;
          case '-': text = "\n\n\n"; break;
          case '1': text = "\f"; break;
          case '+': break;
          default: text = "\n"; break;
        }
        line_end = false;
      }
      for (char c : body)
        if (c != '\r') text.push_back(c);
      if (line_end) text.push_back('\n');
      console_out(text);
    } else {
      unit_->file->write_record(out_.text, line_end);
    }
    out_.clear();
  }

  StatementStart start_;
  Statement::Dir dir_;
  Branches br_;
  bool list_;
  UnitSpec unit_spec_;
  Unit* unit_ = nullptr;
  FormatEngine engine_;
  EditModes modes_;
  OutRecord out_;
  InRecord in_;
  std::string text_;
  std::optional<ListReader> reader_;
  long records_read_ = 0;
  bool done_ = false;
  Outcome outcome_ = Outcome::ok;
};

static_assert(sizeof(StatementImpl) <= Statement::kImplSize && alignof(StatementImpl) <= alignof(std::max_align_t));

Statement::Statement(Dir dir, UnitSpec unit, std::string_view format, bool list, Branches br)
    : impl_(new (storage_) StatementImpl(dir, unit, format, list, br)) {}

Statement::~Statement() { impl_->~StatementImpl(); }

void Statement::put(const OutItem& item) { impl_->put(item); }
void Statement::get(const InItem& item) { impl_->get(item); }
void Statement::get_reals(std::span<float> values) { impl_->get_reals(values); }
Outcome Statement::finish() { return impl_->finish(); }

}  // namespace arb::rt
