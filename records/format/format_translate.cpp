// SPDX-License-Identifier: GPL-3.0-or-later
// trans_format: a format text into its compiled byte form.
//
// The text is read left to right.  Blanks are insignificant outside quoted
// and Hollerith text, also between the digits of a number.  Each descriptor
// becomes one instruction: the opcode byte, then its operands as 32-bit
// integers, most significant byte first (the exponent digit count is one
// byte).  The outermost parentheses produce no instruction; the code ends
// with Op::End.

#include <cstdint>
#include <optional>
#include <string>

#include "chars.h"
#include "errors.h"
#include "format.h"

namespace arb::rt {

namespace {

constexpr int kEndOfText = -1;

struct Failure {
  Err err;
};

class Translator {
 public:
  Translator(std::string_view text, CompiledFormat& out) : s_(text), out_(out) {}

  void run();

 private:
  // Input.
  int peek();  // next non-blank character, upper case, or kEndOfText
  void take() { ++i_; }
  bool at_end() { return peek() == kEndOfText; }
  std::optional<std::int32_t> number(bool sign_allowed);
  std::int32_t required_number(bool sign_allowed);
  std::int32_t non_negative();  // a required number, a sign allowed, not below 0
  std::optional<std::int32_t> width();  // the same where it may be left out
  // A failure caused by something missing: the end of the text means the
  // outermost group was never closed.
  [[noreturn]] void missing(Err err);

  // Descriptors.
  void descriptor(std::optional<std::int32_t> count);
  void edit_descriptor(int c, bool has_count, std::int32_t r);
  void sized(Op op, std::int32_t r, std::int32_t min_width);  // A, L
  void quoted(char mark);
  void hollerith(std::int32_t count);
  void integer(Op op, std::int32_t r);
  void fixed(Op op, std::int32_t r);        // F, D
  void exponential(Op op, std::int32_t r);  // E, ES, EN, G
  void q_descriptor(bool has_count, std::int32_t r);
  void sign_mode();
  void tab();
  std::uint8_t exponent_digits();

  // Output: one instruction, its operands laid out as the table says.
  void emit(Op op, const Descriptor& d, std::int32_t r);
  void emit32(std::int32_t v);
  void simple(Op op) { emit(op, {}, 1); }
  void with_n(Op op, std::int32_t n) {
    Descriptor d;
    d.n = n;
    emit(op, d, 1);
  }

  std::string_view s_;
  std::size_t i_ = 0;
  CompiledFormat& out_;
  int depth_ = 0;
  bool done_ = false;
};


int Translator::peek() {
  while (i_ < s_.size() && s_[i_] == ' ') ++i_;
  if (i_ >= s_.size()) return kEndOfText;
  char c = s_[i_];
  return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : static_cast<unsigned char>(c);
}

void Translator::missing(Err err) {
  throw Failure{at_end() ? Err::UnmatchedParens : err};
}

std::optional<std::int32_t> Translator::number(bool sign_allowed) {
  int c = peek();
  bool negative = false;
  bool sign = false;
  if (sign_allowed && (c == '+' || c == '-')) {
    negative = c == '-';
    sign = true;
    take();
    c = peek();
  }
  if (!is_digit(c)) {
    if (sign) missing(Err::FormatError);
    return std::nullopt;
  }
  std::int64_t v = 0;
  while (is_digit(c)) {
    v = v * 10 + (c - '0');
    if (v > INT32_MAX) throw Failure{Err::FormatError};
    take();
    c = peek();
  }
  return static_cast<std::int32_t>(negative ? -v : v);
}

std::int32_t Translator::required_number(bool sign_allowed) {
  auto v = number(sign_allowed);
  if (!v) missing(Err::FormatError);
  return *v;
}

std::int32_t Translator::non_negative() {
  const std::int32_t v = required_number(true);
  if (v < 0) throw Failure{Err::FormatError};
  return v;
}

std::optional<std::int32_t> Translator::width() {
  auto w = number(true);
  if (w && *w < 0) throw Failure{Err::FormatError};
  return w;
}

void Translator::emit(Op op, const Descriptor& d, std::int32_t r) {
  out_.code.push_back(static_cast<std::uint8_t>(op));
  const Operands layout = traits(op).operands;
  switch (layout) {
    case Operands::None:
      break;
    case Operands::N:
      emit32(d.n);
      break;
    case Operands::R:
      emit32(r);
      break;
    case Operands::Text:
      emit32(static_cast<std::int32_t>(d.text.size()));
      out_.code.insert(out_.code.end(), d.text.begin(), d.text.end());
      break;
    default:  // r, w, then m, or d and perhaps e
      emit32(r);
      emit32(d.w);
      if (layout == Operands::RWM) emit32(d.m);
      if (layout == Operands::RWD || layout == Operands::RWDE) emit32(d.d);
      if (layout == Operands::RWDE) out_.code.push_back(static_cast<std::uint8_t>(d.e));
      break;
  }
}

void Translator::emit32(std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  out_.code.push_back(static_cast<std::uint8_t>(u >> 24));
  out_.code.push_back(static_cast<std::uint8_t>(u >> 16));
  out_.code.push_back(static_cast<std::uint8_t>(u >> 8));
  out_.code.push_back(static_cast<std::uint8_t>(u));
}

void Translator::run() {
  // A user's format may carry leading digits (a repeat count typed before
  // the parenthesis); they are dropped.
  while (i_ < s_.size() && (s_[i_] == ' ' || is_digit(s_[i_]))) ++i_;
  if (i_ >= s_.size() || s_[i_] != '(') throw Failure{Err::MissingOpen};
  take();
  depth_ = 1;
  while (!done_) {
    if (at_end()) throw Failure{Err::UnmatchedParens};
    auto count = number(true);
    int c = peek();
    if (c == kEndOfText) throw Failure{Err::UnmatchedParens};
    if (count && c != 'P' && *count < 1) throw Failure{Err::IllegalRepeat};
    descriptor(count);
  }
}

void Translator::descriptor(std::optional<std::int32_t> count) {
  const bool has_count = count.has_value();
  const std::int32_t r = count.value_or(1);
  const int c = peek();
  take();
  if (c == '(') {
    emit(Op::GroupOpen, {}, r);
    ++depth_;
    return;  // a comma right after "(" is no more allowed than after the outermost one
  }
  if (c == ')') {
    if (has_count) throw Failure{Err::IllegalRepeat};
    if (--depth_ == 0) {
      simple(Op::End);
      done_ = true;  // the rest of the text is not looked at
      return;
    }
    simple(Op::GroupClose);
  } else {
    edit_descriptor(c, has_count, r);
  }
  // Commas between descriptors are optional; at most one is allowed.
  if (peek() == ',') take();
}

void Translator::edit_descriptor(int c, bool has_count, std::int32_t r) {
  const std::string_view not_repeatable = "'\"$\\:ST";
  if (has_count && c != kEndOfText && not_repeatable.find(static_cast<char>(c)) != std::string_view::npos)
    throw Failure{Err::NonRepeatable};
  switch (c) {
    case '\'': case '"': quoted(static_cast<char>(c)); break;
    case 'H': hollerith(r); break;
    case '$': case '\\': simple(Op::Dollar); break;
    case '/': with_n(Op::Slash, r); break;
    case ':': simple(Op::Colon); break;
    case 'A': sized(Op::A, r, 0); break;
    case 'L': sized(Op::L, r, 1); break;
    case 'B': {
      const int next = peek();
      if (next != 'N' && next != 'Z') {
        integer(Op::B, r);
        break;
      }
      if (has_count) throw Failure{Err::IllegalRepeat};
      take();
      simple(next == 'N' ? Op::BN : Op::BZ);
      break;
    }
    case 'I': integer(Op::I, r); break;
    case 'O': integer(Op::O, r); break;
    case 'Z': integer(Op::Z, r); break;
    case 'F': fixed(Op::F, r); break;
    case 'D': fixed(Op::D, r); break;
    case 'E': {
      const int next = peek();
      const bool suffix = next == 'S' || next == 'N';
      if (suffix) take();
      exponential(!suffix ? Op::E : next == 'S' ? Op::ES : Op::EN, r);
      break;
    }
    case 'G': exponential(Op::G, r); break;
    case 'P': with_n(Op::P, r); break;  // the number before P is the scale factor; zero and negative allowed
    case 'Q': q_descriptor(has_count, r); break;
    case 'S': sign_mode(); break;
    case 'T': tab(); break;
    case 'X': with_n(Op::X, r); break;
    default: throw Failure{Err::FormatError};
  }
}

void Translator::sized(Op op, std::int32_t r, std::int32_t min_width) {
  auto w = width();
  if (w && *w < min_width) throw Failure{Err::FormatError};
  Descriptor d;
  d.w = w.value_or(0);
  emit(op, d, r);
}

void Translator::quoted(char mark) {
  // First pass: find the closing mark and the length with doubled marks
  // counted once, so that the instruction is written in one go.
  std::size_t len = 0;
  std::size_t j = i_;
  for (;;) {
    if (j >= s_.size()) throw Failure{Err::UnmatchedQuotes};
    if (s_[j] == mark) {
      if (j + 1 < s_.size() && s_[j + 1] == mark) {
        j += 2;
        ++len;
        continue;
      }
      break;
    }
    ++j;
    ++len;
  }
  std::string text;
  text.reserve(len);
  for (; i_ < j; ++i_) {
    text.push_back(s_[i_]);
    if (s_[i_] == mark) ++i_;  // the second of a doubled mark
  }
  ++i_;  // the closing mark
  Descriptor d;
  d.text = text;
  emit(Op::Text, d, 1);
}

void Translator::hollerith(std::int32_t count) {
  const auto n = static_cast<std::size_t>(count);
  if (s_.size() - i_ < n) throw Failure{Err::HollerithCount};
  Descriptor d;
  d.text = s_.substr(i_, n);
  emit(Op::Text, d, 1);
  i_ += n;
}

void Translator::integer(Op op, std::int32_t r) {
  Descriptor x;
  if (auto w = width()) x.w = *w == 0 ? -1 : *w;  // 0 written: as wide as needed
  if (peek() == '.') {
    take();
    x.m = non_negative();
  }
  emit(op, x, r);
}

void Translator::fixed(Op op, std::int32_t r) {
  Descriptor x;
  if (auto w = width()) {
    if (peek() != '.') missing(Err::FormatError);
    take();
    x.d = non_negative();
    if (*w == 0 && op == Op::D) throw Failure{Err::FormatError};
    x.w = *w == 0 ? -1 : *w;  // F0.d: as wide as needed
  }
  if (op == Op::D && peek() == 'E') {
    take();
    x.e = exponent_digits();
  }
  emit(op, x, r);
}

void Translator::exponential(Op op, std::int32_t r) {
  Descriptor x;
  x.w = width().value_or(0);  // a width of 0 counts as none
  if (peek() == '.') {
    take();
    x.d = non_negative();
  } else if (x.w > 0) {
    missing(Err::FormatError);
  }
  const int letter = peek();
  if (letter == 'E' || letter == 'D') {
    take();
    x.e = exponent_digits();
    if (letter == 'D') op = op == Op::G ? Op::GD : Op::ED;
  }
  emit(op, x, r);
}

std::uint8_t Translator::exponent_digits() {
  const std::int32_t e = required_number(false);
  if (e > 255) throw Failure{Err::FormatError};  // stored in one byte
  return static_cast<std::uint8_t>(e);
}

void Translator::q_descriptor(bool has_count, std::int32_t r) {
  const int next = peek();
  if (!is_digit(next) && next != '+' && next != '-') {
    if (has_count) throw Failure{Err::NonRepeatable};
    simple(Op::Q);
    return;
  }
  Descriptor x;
  x.w = non_negative();
  if (peek() != '.') missing(Err::FormatError);
  take();
  x.d = non_negative();
  emit(Op::QF, x, r);
}

void Translator::sign_mode() {
  const int next = peek();
  if (next == 'S' || next == 'P') {
    take();
    simple(next == 'S' ? Op::SS : Op::SP);
  } else if (next == ',' || next == ')') {
    simple(Op::SS);
  } else {
    missing(Err::FormatError);
  }
}

void Translator::tab() {
  Op op = Op::T;
  const int next = peek();
  if (next == 'R' || next == 'L') {
    take();
    op = next == 'R' ? Op::TR : Op::TL;
  }
  with_n(op, required_number(false));
}

}  // namespace

int trans_format(std::string_view text, CompiledFormat& out) {
  out.code.clear();
  try {
    Translator(text, out).run();
  } catch (const Failure& f) {
    return static_cast<int>(f.err);
  }
  return 0;
}

}  // namespace arb::rt
