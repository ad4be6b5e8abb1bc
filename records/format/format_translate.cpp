// trans_format: a format text into its compiled byte form.
//
// The text is read left to right.  Blanks are insignificant outside quoted
// and Hollerith text, also between the digits of a number.  Each descriptor
// becomes one instruction: the opcode byte, then its operands as 32-bit
// integers, most significant byte first (the exponent digit count is one
// byte).  The outermost parentheses produce no instruction; the code ends
// with Op::End.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "chars.h"
#include "errors.h"
#include "format.h"

namespace arb::rt {

namespace {

constexpr int kEndOfText = -1;
constexpr std::size_t kGrowStep = 256;      // when an instruction leaves < kMinFree
constexpr std::size_t kMinFree = 10;
constexpr std::size_t kTextGrowStep = 512;  // when a text literal does not fit

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
  // A failure caused by something missing: the end of the text means the
  // outermost group was never closed.
  [[noreturn]] void missing(Err err);

  // Descriptors.
  void descriptor(std::optional<std::int32_t> count);
  void quoted(char mark);
  void hollerith(std::int32_t count);
  void integer(Op op, std::int32_t r);
  void fixed(Op op, std::int32_t r);        // F, D
  void exponential(Op op, std::int32_t r);  // E, ES, EN, G
  void q_descriptor(bool has_count, std::int32_t r);
  void sign_mode();
  void tab();
  std::uint8_t exponent_digits();

  // Output.
  void begin(std::size_t bytes, std::size_t step = kGrowStep);  // room for one instruction
  void end_instruction();
  void emit(Op op) { out_.code.push_back(static_cast<std::uint8_t>(op)); }
  void emit32(std::int32_t v);
  void simple(Op op) { begin(1); emit(op); end_instruction(); }
  void with_n(Op op, std::int32_t n) { begin(5); emit(op); emit32(n); end_instruction(); }

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

void Translator::begin(std::size_t bytes, std::size_t step) {
  // An instruction other than text is up to 14 bytes, more than the
  // kMinFree bytes kept free after the previous one: make room first.
  while (out_.capacity - out_.code.size() < bytes) out_.capacity += step;
  out_.code.reserve(out_.capacity);
}

void Translator::end_instruction() {
  if (out_.capacity - out_.code.size() < kMinFree) {
    out_.capacity += kGrowStep;
    out_.code.reserve(out_.capacity);
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
  auto no_count = [&] {
    if (has_count) throw Failure{Err::NonRepeatable};
  };
  const int c = peek();
  take();
  switch (c) {
    case '\'':
    case '"':
      no_count();
      quoted(static_cast<char>(c));
      break;
    case 'H':
      hollerith(r);
      break;
    case '$':
    case '\\':
      no_count();
      simple(Op::Dollar);
      break;
    case '(':
      begin(5);
      emit(Op::GroupOpen);
      emit32(r);
      end_instruction();
      ++depth_;
      return;  // a comma right after "(" is no more allowed than after the outermost one
    case ')':
      if (has_count) throw Failure{Err::IllegalRepeat};
      if (--depth_ == 0) {
        simple(Op::End);
        done_ = true;  // the rest of the text is not looked at
        return;
      }
      simple(Op::GroupClose);
      break;
    case '/':
      with_n(Op::Slash, r);
      break;
    case ':':
      no_count();
      simple(Op::Colon);
      break;
    case 'A': {
      auto w = number(true);
      if (w && *w < 0) throw Failure{Err::FormatError};
      begin(9);
      emit(Op::A);
      emit32(r);
      emit32(w.value_or(0));
      end_instruction();
      break;
    }
    case 'B': {
      const int next = peek();
      if (next == 'N' || next == 'Z') {
        if (has_count) throw Failure{Err::IllegalRepeat};
        take();
        simple(next == 'N' ? Op::BN : Op::BZ);
      } else {
        integer(Op::B, r);
      }
      break;
    }
    case 'I':
      integer(Op::I, r);
      break;
    case 'O':
      integer(Op::O, r);
      break;
    case 'Z':
      integer(Op::Z, r);
      break;
    case 'F':
      fixed(Op::F, r);
      break;
    case 'D':
      fixed(Op::D, r);
      break;
    case 'E': {
      const int next = peek();
      Op op = Op::E;
      if (next == 'S' || next == 'N') {
        take();
        op = next == 'S' ? Op::ES : Op::EN;
      }
      exponential(op, r);
      break;
    }
    case 'G':
      exponential(Op::G, r);
      break;
    case 'L': {
      auto w = number(true);
      if (w && *w < 1) throw Failure{Err::FormatError};
      begin(9);
      emit(Op::L);
      emit32(r);
      emit32(w.value_or(0));
      end_instruction();
      break;
    }
    case 'P':
      // The number before P is the scale factor; zero and negative allowed.
      with_n(Op::P, r);
      break;
    case 'Q':
      q_descriptor(has_count, r);
      break;
    case 'S':
      no_count();
      sign_mode();
      break;
    case 'T':
      no_count();
      tab();
      break;
    case 'X':
      with_n(Op::X, r);
      break;
    default:
      throw Failure{Err::FormatError};
  }
  // Commas between descriptors are optional; at most one is allowed.
  if (peek() == ',') take();
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
  const std::size_t bytes = 5 + len;
  begin(bytes, kTextGrowStep);
  emit(Op::Text);
  emit32(static_cast<std::int32_t>(len));
  for (; i_ < j; ++i_) {
    out_.code.push_back(static_cast<std::uint8_t>(s_[i_]));
    if (s_[i_] == mark) ++i_;  // the second of a doubled mark
  }
  ++i_;  // the closing mark
  end_instruction();
}

void Translator::hollerith(std::int32_t count) {
  const auto n = static_cast<std::size_t>(count);
  if (s_.size() - i_ < n) throw Failure{Err::HollerithCount};
  const std::size_t bytes = 5 + n;
  begin(bytes, kTextGrowStep);
  emit(Op::Text);
  emit32(count);
  out_.code.insert(out_.code.end(), s_.begin() + static_cast<std::ptrdiff_t>(i_),
                   s_.begin() + static_cast<std::ptrdiff_t>(i_ + n));
  i_ += n;
  end_instruction();
}

void Translator::integer(Op op, std::int32_t r) {
  std::int32_t w = 0;
  std::int32_t m = 1;
  if (auto width = number(true)) {
    if (*width < 0) throw Failure{Err::FormatError};
    w = *width == 0 ? -1 : *width;  // 0 written: as wide as needed
  }
  if (peek() == '.') {
    take();
    m = required_number(true);
    if (m < 0) throw Failure{Err::FormatError};
  }
  begin(13);
  emit(op);
  emit32(r);
  emit32(w);
  emit32(m);
  end_instruction();
}

void Translator::fixed(Op op, std::int32_t r) {
  std::int32_t w = 0;
  std::int32_t d = 0;
  if (auto width = number(true)) {
    if (*width < 0) throw Failure{Err::FormatError};
    if (peek() != '.') missing(Err::FormatError);
    take();
    d = required_number(true);
    if (d < 0) throw Failure{Err::FormatError};
    if (*width == 0 && op == Op::D) throw Failure{Err::FormatError};
    w = *width == 0 ? -1 : *width;  // F0.d: as wide as needed
  }
  if (op == Op::F) {
    begin(13);
    emit(op);
    emit32(r);
    emit32(w);
    emit32(d);
    end_instruction();
    return;
  }
  std::uint8_t e = 2;
  if (peek() == 'E') {
    take();
    e = exponent_digits();
  }
  begin(14);
  emit(op);
  emit32(r);
  emit32(w);
  emit32(d);
  out_.code.push_back(e);
  end_instruction();
}

void Translator::exponential(Op op, std::int32_t r) {
  std::int32_t w = 0;
  std::int32_t d = 0;
  if (auto width = number(true)) {
    if (*width < 0) throw Failure{Err::FormatError};
    w = *width;  // a width of 0 counts as none
  }
  if (peek() == '.') {
    take();
    d = required_number(true);
    if (d < 0) throw Failure{Err::FormatError};
  } else if (w > 0) {
    missing(Err::FormatError);
  }
  std::uint8_t e = 2;
  const int letter = peek();
  if (letter == 'E' || letter == 'D') {
    take();
    e = exponent_digits();
    if (letter == 'D') op = op == Op::G ? Op::GD : Op::ED;
  }
  begin(14);
  emit(op);
  emit32(r);
  emit32(w);
  emit32(d);
  out_.code.push_back(e);
  end_instruction();
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
  const std::int32_t w = required_number(true);
  if (w < 0) throw Failure{Err::FormatError};
  if (peek() != '.') missing(Err::FormatError);
  take();
  const std::int32_t d = required_number(true);
  if (d < 0) throw Failure{Err::FormatError};
  begin(13);
  emit(Op::QF);
  emit32(r);
  emit32(w);
  emit32(d);
  end_instruction();
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
  out.capacity = std::max<std::size_t>(3 * text.size(), kGrowStep);
  out.code.reserve(out.capacity);
  try {
    Translator(text, out).run();
  } catch (const Failure& f) {
    return static_cast<int>(f.err);
  }
  return 0;
}

}  // namespace arb::rt
