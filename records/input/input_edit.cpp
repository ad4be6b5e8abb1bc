// SPDX-License-Identifier: GPL-3.0-or-later
// Formatted input fields: getinput, process_blanks, the number check and
// the edit routines that store each field into its item.
#include "input_edit.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "chars.h"
#include "errors.h"
#include "input_fast.h"

namespace arb::rt {

namespace {

[[noreturn]] void illegal() { throw IoError::runtime(Err::IllegalNumeric); }
[[noreturn]] void mismatch() { throw IoError::runtime(Err::TypeMismatch); }

bool is_exponent_letter(char c) {
  return c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
}
bool is_inf_nan_letter(char c) { return c == 'I' || c == 'i' || c == 'N' || c == 'n'; }

// What -relaxed_input lets stand after the number proper.
bool is_number_char(char c) { return is_digit(c) || c == '.' || is_sign(c) || is_exponent_letter(c); }

void check_rest(std::string_view rest, bool relaxed) {
  if (rest.empty()) return;
  if (!relaxed) illegal();
  if (!std::all_of(rest.begin(), rest.end(), is_number_char)) illegal();
}

bool equals_upper(std::string_view s, std::string_view upper) {
  if (s.size() != upper.size()) return false;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(s[i])) != upper[i]) return false;
  return true;
}

// A field starting with I or N: infinity or not-a-number.  Only under
// -strict_nan_input is the rest of the word looked at.
double inf_or_nan(std::string_view word, bool negative, bool strict_nan) {
  if (strict_nan && !equals_upper(word, "INF") && !equals_upper(word, "INFINITY") &&
      !equals_upper(word, "NAN"))
    illegal();
  if (word[0] == 'N' || word[0] == 'n') return std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  return negative ? -inf : inf;
}

int digit_value(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  return v < base ? v : -1;
}

bool valid_int_size(int size) { return size == 1 || size == 2 || size == 4 || size == 8; }

// An optional sign and digits of the base, accumulated without ever
// overflowing: a value beyond the item's range is refused rather than
// wrapped.  Decimal values must lie in the signed range of the item; B, O
// and Z without a minus may fill every bit (FFFFFFFF is -1 in 4 bytes).
std::int64_t parse_integer(std::string_view s, int base, int size, bool relaxed) {
  const int bits = 8 * size;
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && is_sign(s[i])) negative = s[i++] == '-';
  const std::uint64_t half = std::uint64_t{1} << (bits - 1);
  std::uint64_t limit;
  if (negative)
    limit = half;
  else if (base == 10)
    limit = half - 1;
  else
    limit = bits == 64 ? std::numeric_limits<std::uint64_t>::max() : (std::uint64_t{1} << bits) - 1;

  std::uint64_t mag = 0;
  for (; i < s.size(); ++i) {
    const int dig = digit_value(s[i], base);
    if (dig < 0) {
      if (base != 10) illegal();
      check_rest(s.substr(i), relaxed);
      break;
    }
    const auto u = static_cast<std::uint64_t>(dig);
    if (mag > (limit - u) / static_cast<std::uint64_t>(base)) illegal();
    mag = mag * static_cast<std::uint64_t>(base) + u;
  }
  if (negative) return mag == half && bits == 64 ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(mag);
  if (bits < 64 && mag >= half) return static_cast<std::int64_t>(mag) - (std::int64_t{1} << bits);
  return static_cast<std::int64_t>(mag);  // modular for a 64-bit bit pattern
}

template <typename T>
void put_int(void* ref, std::int64_t v) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) illegal();
  *static_cast<T*>(ref) = static_cast<T>(v);
}

// The width to take: w, or for a numeric field written without one
// (I0, F0.d) the rest of the record.
std::size_t field_width(const InRecord& rec, const Descriptor& d) {
  if (d.w > 0) return static_cast<std::size_t>(d.w);
  if (d.op == Op::A || d.op == Op::L) return 0;
  return rec.text.size() - std::min(rec.pos, rec.text.size());
}

void riboz_edit(InRecord& rec, const Descriptor& d, const EditModes& modes, const InItem& item) {
  if (item.type.kind != ItemKind::Integer || !valid_int_size(item.type.size)) mismatch();
  const std::string_view field = getinput(rec, d, field_width(rec, d));
  std::int64_t v = 0;
  if (d.op == Op::I && fast_int(field, modes.blank_zero, v)) {
    store_int(item, v);
    return;
  }
  std::string scratch;
  const std::string_view s = process_blanks(field, modes.blank_zero, scratch);
  int base = 10;
  if (d.op == Op::B) base = 2;
  if (d.op == Op::O) base = 8;
  if (d.op == Op::Z) base = 16;
  store_int(item, parse_integer(s, base, item.type.size, modes.input.relaxed));
}

void rdefg_edit(InRecord& rec, const Descriptor& d, const EditModes& modes, const InItem& item) {
  if (item.type.kind != ItemKind::Real || (item.type.size != 4 && item.type.size != 8)) mismatch();
  const std::string_view field = getinput(rec, d, field_width(rec, d));
  double v = 0.0;
  if (fast_real(field, modes.blank_zero, d.d, modes.scale, v)) {
    store_real(item, v);
    return;
  }
  std::string scratch;
  const std::string_view text = process_blanks(field, modes.blank_zero, scratch);
  store_real(item, read_real_text(text, d.d, modes.scale, modes.input));
}

// A: the last L characters of the field blank-padded to w, or, when w is
// less than L, the w characters and then blanks.
void ra_edit(InRecord& rec, const Descriptor& d, const InItem& item) {
  if (item.type.kind != ItemKind::Character) mismatch();
  const std::size_t w = field_width(rec, d);
  const std::string_view field = getinput(rec, d, w);
  const std::size_t len = item.type.len;
  char* out = static_cast<char*>(item.ref);
  const std::size_t from = w >= len ? w - len : 0;
  // Characters from[from, min(w, field size)) go first, blanks after them.
  const std::size_t have = from < field.size() ? std::min(w, field.size()) - from : 0;
  const std::size_t n = std::min(have, len);
  if (n > 0) std::copy_n(field.data() + from, n, out);
  std::fill(out + n, out + len, ' ');
}

// L: never an error; only the first letter after blanks and a point counts.
void rl_edit(InRecord& rec, const Descriptor& d, const InItem& item) {
  if (item.type.kind != ItemKind::Logical) mismatch();
  const std::string_view field = getinput(rec, d, field_width(rec, d));
  std::size_t i = 0;
  while (i < field.size() && is_blank(field[i])) ++i;
  if (i < field.size() && field[i] == '.') ++i;
  store_logical(item, i < field.size() && (field[i] == 'T' || field[i] == 't'));
}

// Q: the characters left in the record; the position stays.
void rq_edit(const InRecord& rec, const InItem& item) {
  if (item.type.kind != ItemKind::Integer || !valid_int_size(item.type.size)) mismatch();
  const std::size_t left = rec.text.size() - std::min(rec.pos, rec.text.size());
  store_int(item, static_cast<std::int64_t>(std::min<std::size_t>(left, INT64_MAX)));
}

}  // namespace

std::string_view getinput(InRecord& rec, const Descriptor& d, std::size_t width) {
  rec.pos = std::min(rec.pos, rec.text.size());
  const std::size_t left = rec.text.size() - rec.pos;
  std::string_view field = rec.text.substr(rec.pos, std::min(width, left));
  if (traits(d.op).comma_ends) {
    const std::size_t comma = field.find(',');
    if (comma != std::string_view::npos) {
      rec.pos += comma + 1;
      return field.substr(0, comma);
    }
  }
  if (width > left && !rec.pads) throw IoError::runtime(Err::PastEor);
  rec.pos += field.size();
  return field;
}

std::string_view process_blanks(std::string_view field, bool blank_zero, std::string& scratch) {
  std::size_t i = 0;
  while (i < field.size() && is_blank(field[i])) ++i;
  field.remove_prefix(i);
  // Most fields hold no blank after the leading ones: the field itself.
  std::size_t inner = 0;
  while (inner < field.size() && !is_blank(field[inner])) ++inner;
  if (inner == field.size()) return field;
  std::size_t j = 0;
  if (j < field.size() && is_sign(field[j])) ++j;
  while (j < field.size() && is_blank(field[j])) ++j;
  const bool zeros = blank_zero && !(j < field.size() && is_inf_nan_letter(field[j]));
  scratch.clear();
  for (char c : field) {
    if (!is_blank(c))
      scratch.push_back(c);
    else if (zeros)
      scratch.push_back('0');
  }
  return scratch;
}

std::string process_blanks(std::string_view field, bool blank_zero) {
  std::string scratch;
  return std::string(process_blanks(field, blank_zero, scratch));
}

NumberParts numcheck(std::string_view s, const InputOptions& opts) {
  NumberParts p;
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto digits = [&] {
    const std::size_t from = i;
    while (i < n && is_digit(s[i])) ++i;
    return s.substr(from, i - from);
  };
  if (i < n && is_sign(s[i])) p.negative = s[i++] == '-';
  p.int_digits = digits();
  if (i < n && s[i] == '.') {
    p.has_point = true;
    ++i;
    p.frac_digits = digits();
  }
  // The mantissa may have no digit at all: "E5", ".E2" and "--1" (a sign,
  // then an exponent given by a sign alone) are zero.
  if (i < n && (is_exponent_letter(s[i]) || is_sign(s[i]))) {
    p.has_exponent = true;
    bool negative = false;
    if (is_exponent_letter(s[i])) ++i;
    if (i < n && is_sign(s[i])) negative = s[i++] == '-';
    std::int64_t e = 0;
    for (char c : digits()) e = std::min<std::int64_t>(e * 10 + (c - '0'), 1'000'000);  // far beyond any double
    p.exponent = negative ? -e : e;
  }
  check_rest(s.substr(i), opts.relaxed);
  return p;
}

void insertdecimal(NumberParts& parts, std::int32_t d) {
  if (d <= 0 || parts.has_point) return;
  const std::string_view m = parts.int_digits;
  const auto dd = static_cast<std::size_t>(d);
  if (m.size() >= dd) {
    parts.int_digits = m.substr(0, m.size() - dd);
    parts.frac_digits = m.substr(m.size() - dd);
  } else {
    parts.int_digits = {};
    parts.frac_digits = m;
    parts.frac_zeros = static_cast<std::int64_t>(dd - m.size());
  }
  parts.has_point = true;
}

double read_real_text(std::string_view s, std::int32_t d, std::int32_t k, const InputOptions& opts) {
  if (s.empty()) return 0.0;
  const std::size_t j = is_sign(s[0]) ? 1 : 0;
  if (j < s.size() && is_inf_nan_letter(s[j])) return inf_or_nan(s.substr(j), s[0] == '-', opts.strict_nan);
  NumberParts p = numcheck(s, opts);
  // The point goes in only where the whole field has none, also under
  // -relaxed_input where a point may stand after the number proper.
  if (s.find('.') == std::string_view::npos) insertdecimal(p, d);
  std::int64_t e = p.exponent - p.frac_zeros;
  if (!p.has_exponent) e -= k;
  return ascii_dbl(p.int_digits, p.frac_digits, e, p.negative);
}

std::int64_t read_int_text(std::string_view field, int size, const InputOptions& opts) {
  if (!valid_int_size(size)) mismatch();
  return parse_integer(field, 10, size, opts.relaxed);
}

float to_float(double x) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (x != x) return std::numeric_limits<float>::quiet_NaN();
  if (x > kMax || x < -kMax) {
    // Halfway between FLT_MAX and 2^128 and beyond rounds to infinity.
    constexpr double kHalfway = 0x1.ffffffp+127;
    const float big = std::fabs(x) >= kHalfway ? std::numeric_limits<float>::infinity()
                                               : std::numeric_limits<float>::max();
    return x < 0 ? -big : big;
  }
  return static_cast<float>(x);
}

void store_int(const InItem& item, std::int64_t v) {
  if (item.type.kind != ItemKind::Integer) mismatch();
  switch (item.type.size) {
    case 1: put_int<std::int8_t>(item.ref, v); break;
    case 2: put_int<std::int16_t>(item.ref, v); break;
    case 4: put_int<std::int32_t>(item.ref, v); break;
    case 8: put_int<std::int64_t>(item.ref, v); break;
    default: mismatch();
  }
}

void store_real(const InItem& item, double v) {
  if (item.type.kind != ItemKind::Real) mismatch();
  if (item.type.size == 4)
    *static_cast<float*>(item.ref) = to_float(v);
  else if (item.type.size == 8)
    *static_cast<double*>(item.ref) = v;
  else
    mismatch();
}

void store_logical(const InItem& item, bool v) {
  if (item.type.kind != ItemKind::Logical) mismatch();
  switch (item.type.size) {
    case 1: *static_cast<std::int8_t*>(item.ref) = v; break;
    case 2: *static_cast<std::int16_t*>(item.ref) = v; break;
    case 4: *static_cast<std::int32_t*>(item.ref) = v; break;
    case 8: *static_cast<std::int64_t*>(item.ref) = v; break;
    default: mismatch();
  }
}

void rposition_spec(InRecord& rec, const Descriptor& d, EditModes& modes) {
  // Every move stays between column 1 and just after the last character.
  auto move_to = [&rec](std::int64_t pos) {
    const auto last = static_cast<std::int64_t>(rec.text.size());
    rec.pos = static_cast<std::size_t>(std::clamp<std::int64_t>(pos, 0, last));
  };
  const auto here = static_cast<std::int64_t>(std::min(rec.pos, rec.text.size()));
  switch (d.op) {
    case Op::T: move_to(std::int64_t{d.n} - 1); break;
    case Op::TL: move_to(here - d.n); break;
    case Op::TR:
    case Op::X: move_to(here + d.n); break;
    case Op::Text: move_to(here + static_cast<std::int64_t>(d.text.size())); break;
    case Op::BN: modes.blank_zero = false; break;
    case Op::BZ: modes.blank_zero = true; break;
    case Op::P: modes.scale = d.n; break;
    default: break;  // SP, SS, S, "$", ":" do nothing on input; "/" is the statement's
  }
}

void read_real4(InRecord& rec, const Descriptor& d, EditModes& modes, float& value) {
  if (d.op == Op::F && d.w > 0 && fast_f_field(rec, d.w, d.d, modes, value)) return;
  read_item(rec, d, modes, in_real(value));
}

void read_item(InRecord& rec, const Descriptor& d, EditModes& modes, const InItem& item) {
  switch (d.op) {
    case Op::I: case Op::B: case Op::O: case Op::Z:
      riboz_edit(rec, d, modes, item);
      return;
    case Op::A:
      ra_edit(rec, d, item);
      return;
    case Op::L:
      rl_edit(rec, d, item);
      return;
    case Op::Q:
      rq_edit(rec, item);
      return;
    case Op::G:
    case Op::GD:
      // G takes any item: integers as I, logicals as L, characters as A.
      if (item.type.kind != ItemKind::Real) {
        Descriptor as = d;
        if (item.type.kind == ItemKind::Integer) {
          as.op = Op::I;
          riboz_edit(rec, as, modes, item);
        } else if (item.type.kind == ItemKind::Logical) {
          as.op = Op::L;
          rl_edit(rec, as, item);
        } else {
          as.op = Op::A;
          ra_edit(rec, as, item);
        }
        return;
      }
      break;
    default:
      break;
  }
  if (!traits(d.op).real) mismatch();
  rdefg_edit(rec, d, modes, item);
}

}  // namespace arb::rt
