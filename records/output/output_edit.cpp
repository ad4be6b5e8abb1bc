// SPDX-License-Identifier: GPL-3.0-or-later
// The writing side of the format engine.  Every conversion builds its field
// text first and then places it right-justified in w columns, or as w
// asterisks when it does not fit; w = 0 means exactly as wide as the text.

#include "output_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "errors.h"

namespace arb::rt {

namespace {

// The field of asterisks of a value too wide for its width.
void overflow(OutRecord& rec, std::int32_t w) {
  for (std::int32_t i = 0; i < w; ++i) rec.put('*');
}

// Places a field's text in w columns.
void put_field(OutRecord& rec, std::int32_t w, std::string_view body) {
  if (w <= 0) {
    rec.put(body);
  } else if (body.size() > static_cast<std::size_t>(w)) {
    overflow(rec, w);
  } else {
    for (std::size_t i = body.size(); i < static_cast<std::size_t>(w); ++i) rec.put(' ');
    rec.put(body);
  }
}

// The sign that leads a number: "-" when negative, "+" when plus signs are
// on and one is due, else nothing.
std::string_view iosign(bool negative, bool plus_due) {
  if (negative) return "-";
  return plus_due ? "+" : "";
}

// Digits of an unsigned value in base 2, 8, 10 or 16; zero gives no digits
// (the minimum digit count supplies any that are wanted).
std::string unsigned_digits(std::uint64_t v, unsigned base) {
  static constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string s;
  for (; v != 0; v /= base) s.push_back(kDigits[v % base]);
  std::reverse(s.begin(), s.end());
  return s;
}

// Infinity and not-a-number.  A not-a-number never shows a sign, so that a
// statistic left undefined prints the same whatever sign bit it was given.
void nanorinf(OutRecord& rec, std::int32_t w, const EditModes& modes, double v) {
  std::string body;
  if (std::isnan(v)) {
    body = "NaN";
  } else {
    body = iosign(v < 0, modes.plus);
    body += "INF";
  }
  put_field(rec, w, body);
}

// Half-up rounding of the digit string before the digit at index at (the
// first digit not shown).  An index beyond the significant digits rounds at
// the last significant digit instead.
void round_digits(char digits[20], int significant, int& exp, std::int64_t at, bool eight_byte) {
  if (at < 0) return;
  const std::int64_t r = std::min<std::int64_t>(at, significant - 1);
  if (digits[r] < '5') {
    // The 17th digit of an 8-byte real is noise of the binary form.
    if (eight_byte) digits[16] = '0';
    return;
  }
  digits[r] = '0';
  std::int64_t i = r - 1;
  for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
  if (i >= 0) {
    ++digits[i];
  } else {
    std::fill(digits, digits + 20, '0');
    digits[0] = '1';
    ++exp;
  }
}

// The fraction of an F field: the point, then d digits starting at index
// first of the digit string (zeros before it and beyond its end).
void postdecimal(std::string& body, const char digits[20], std::int64_t first, std::int64_t d) {
  body.push_back('.');
  for (std::int64_t i = first; i < first + d; ++i) body.push_back(i >= 0 && i < 20 ? digits[i] : '0');
}

// The exponent part of an E, D, ES or EN field: the letter, the sign and e
// digits.  A three-digit exponent under the two-digit form drops the letter
// (0.1000+101).  False when the exponent does not fit.
bool exponent_part(std::string& body, char letter, std::int64_t x, std::int32_t e) {
  if (e < 1) e = 2;
  const std::string digits = unsigned_digits(static_cast<std::uint64_t>(x < 0 ? -x : x), 10);
  const char sign = x < 0 ? '-' : '+';
  if (digits.size() > static_cast<std::size_t>(e)) {
    if (e != 2 || digits.size() > 3) return false;
    body.push_back(sign);
    body += digits;
    return true;
  }
  body.push_back(letter);
  body.push_back(sign);
  body.append(static_cast<std::size_t>(e) - digits.size(), '0');
  body += digits;
  return true;
}

// Digits before the point of an EN field, so that the exponent of a value
// 0.ddd times 10 to the power exp is a multiple of 3.
std::int64_t engineering_digits(std::int64_t exp) { return ((exp - 1) % 3 + 3) % 3 + 1; }

// L: "T" or "F" right-justified.
void wl_edit(OutRecord& rec, const Descriptor& d, bool v) { put_field(rec, d.w, v ? "T" : "F"); }

// The bits of an integer item of the given size, for B, O and Z.
std::int64_t item_bits(std::int64_t v, std::uint8_t size) {
  if (size >= 8) return v;
  const std::uint64_t mask = (std::uint64_t{1} << (8 * size)) - 1;
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(v) & mask);
}

Descriptor desc_f(std::int32_t w, std::int32_t d) {
  Descriptor f;
  f.op = Op::F;
  f.w = w;
  f.d = d;
  return f;
}

[[noreturn]] void mismatch() { throw IoError::runtime(Err::TypeMismatch); }

}  // namespace

void wposition_spec(OutRecord& rec, const Descriptor& d, EditModes& modes) {
  const std::size_t n = d.n > 0 ? static_cast<std::size_t>(d.n) : 0;
  switch (d.op) {
    case Op::T: rec.pos = n > 0 ? n - 1 : 0; break;
    case Op::TL: rec.pos = rec.pos > n ? rec.pos - n : 0; break;
    case Op::TR:
    case Op::X: rec.pos += n; break;
    case Op::Text: rec.put(d.text); break;
    case Op::SP: modes.plus = true; break;
    case Op::SS: modes.plus = false; break;
    case Op::P: modes.scale = d.n; break;
    case Op::Dollar: modes.dollar = true; break;
    default: break;  // BN, BZ, Q and ":" do nothing on output; "/" is the statement's
  }
}

void write_item(OutRecord& rec, const Descriptor& d, const EditModes& modes, const OutItem& item) {
  const ItemKind kind = item.type.kind;
  switch (d.op) {
    case Op::I:
      if (kind != ItemKind::Integer && kind != ItemKind::Logical) mismatch();
      wiboz_edit(rec, d, modes, item.i);
      return;
    case Op::B: case Op::O: case Op::Z:
      if (kind != ItemKind::Integer && kind != ItemKind::Logical) mismatch();
      wiboz_edit(rec, d, modes, item_bits(item.i, item.type.size));
      return;
    case Op::F:
      if (kind != ItemKind::Real) mismatch();
      wf_edit(rec, d, modes, item.r, item.type.size);
      return;
    case Op::L:
      if (kind != ItemKind::Logical) mismatch();
      wl_edit(rec, d, item.i != 0);
      return;
    case Op::A:
      if (kind != ItemKind::Character) mismatch();
      wa_edit(rec, d, item.chars);
      return;
    case Op::E: case Op::D: case Op::ES: case Op::EN:
      if (kind != ItemKind::Real) mismatch();
      we_edit(rec, d, modes, item.r, item.type.size);
      return;
    case Op::G:
      wg_edit(rec, d, modes, item);
      return;
    default:
      // The compiled form of an E, ES or EN with a D exponent (and of G with
      // one) no longer tells which it was; Qw.d serves 16-byte reals, which
      // this system does not have.
      mismatch();
  }
}

void wiboz_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, std::int64_t v) {
  const unsigned base = traits(d.op).base;
  std::string body;
  std::string digits;
  if (base == 10) {
    const std::uint64_t magnitude =
        v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
    digits = unsigned_digits(magnitude, 10);
    body = iosign(v < 0, modes.plus && v > 0);
  } else {
    digits = unsigned_digits(static_cast<std::uint64_t>(v), base);
  }
  const std::size_t m = d.m > 0 ? static_cast<std::size_t>(d.m) : 0;
  if (digits.size() < m) body.append(m - digits.size(), '0');
  body += digits;
  put_field(rec, d.w, body);
}

namespace {

// The leading digits of a finite value, where F and E fields start; a
// not-a-number or an infinity is written at once (false).
struct ValueDigits {
  bool negative = false;
  bool eight_byte = false;
  int significant = 8;
  char digits[20] = {};
  int exp = 0;
};

bool value_digits(OutRecord& rec, const Descriptor& d, const EditModes& modes, double v, int size, ValueDigits& out) {
  if (!std::isfinite(v)) {
    nanorinf(rec, d.w, modes, v);
    return false;
  }
  if (v == 0.0) v = 0.0;  // a negative zero is written as zero
  out.negative = v < 0;
  out.eight_byte = size != 4;
  out.significant = out.eight_byte ? 17 : 8;
  dbl_ascii(v, out.significant, out.digits, out.exp);
  return true;
}

}  // namespace

void wf_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, double v, int size) {
  ValueDigits value;
  if (!value_digits(rec, d, modes, v, size, value)) return;
  auto& [negative, eight_byte, significant, digits, exp] = value;

  // Scaling zero gives zero: it never shows integer digits.
  const std::int64_t k = v == 0.0 ? 0 : modes.scale;
  const std::int64_t fd = std::max<std::int32_t>(d.d, 0);
  round_digits(digits, significant, exp, exp + k + fd, eight_byte);

  const std::int64_t w = d.w;
  const std::int64_t n = exp + k;  // integer digits
  const bool sign_due = negative || modes.plus;
  const std::int64_t room = w > 0 ? w - (sign_due ? 1 : 0) - fd - 1 : 0;

  std::string body;
  if (n >= 1) {
    if (w > 0 && room < n) {
      overflow(rec, d.w);
      return;
    }
    body = iosign(negative, modes.plus);
    for (std::int64_t i = 0; i < n; ++i) body.push_back(i < 16 ? digits[i] : '0');
    postdecimal(body, digits, n, fd);
  } else if (n + fd >= 1) {
    if (room < 0) {
      overflow(rec, d.w);
      return;
    }
    body = iosign(negative, modes.plus);
    if (room > 0 && modes.lead_zero) body.push_back('0');
    postdecimal(body, digits, n, fd);
  } else if (fd > 0) {
    // Rounds to zero: never a "-"; a negative value has a blank for it.
    if (!negative) body = iosign(false, modes.plus);
    if (room > 0 && modes.lead_zero) body.push_back('0');
    body.push_back('.');
    body.append(static_cast<std::size_t>(fd), '0');
  } else {
    body = w == 1 ? "." : "0.";
  }
  put_field(rec, d.w, body);
}

void we_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, double v, int size) {
  ValueDigits value;
  if (!value_digits(rec, d, modes, v, size, value)) return;
  auto& [negative, eight_byte, significant, digits, exp] = value;

  // The scale factor moves the point of E and D only, and a zero stays 0.000E+00.
  const std::int64_t fd = std::max<std::int32_t>(d.d, 0);
  const bool scaled = (d.op == Op::E || d.op == Op::D) && v != 0.0;
  const std::int64_t k = scaled ? modes.scale : 0;
  std::int64_t before = 0;  // digits before the point
  std::int64_t shown = 0;   // significant digits shown
  if (d.op == Op::ES || (d.op == Op::EN && v == 0.0)) {
    before = 1;
    shown = fd + 1;
  } else if (d.op == Op::EN) {
    before = engineering_digits(exp);
    shown = before + fd;
  } else if (k <= 0) {
    shown = fd + k;
  } else {
    before = k;
    shown = k < fd + 2 ? fd + 1 : 0;
  }
  if (shown < 1) {
    overflow(rec, d.w);
    return;
  }
  const int exp_before = exp;
  round_digits(digits, significant, exp, shown, eight_byte);
  if (d.op == Op::EN && exp != exp_before) {
    // A carry out of the first digit may move the point to the next group of three.
    before = engineering_digits(exp);
    shown = before + fd;
  }

  auto digit = [&](std::int64_t i) { return i < 20 ? value.digits[i] : '0'; };
  std::string body(iosign(negative, modes.plus));
  const std::size_t sign_len = body.size();
  for (std::int64_t i = 0; i < before; ++i) body.push_back(digit(i));
  body.push_back('.');
  if (before == 0) body.append(static_cast<std::size_t>(-k), '0');
  for (std::int64_t i = before; i < shown; ++i) body.push_back(digit(i));
  const std::int64_t x = v == 0.0 ? 0 : exp - (before > 0 ? before : k);
  if (!exponent_part(body, d.op == Op::D ? 'D' : 'E', x, d.e)) {
    overflow(rec, d.w);
    return;
  }
  // The "0" before the point is written where there is room for it.
  if (before == 0 && (d.w <= 0 || body.size() < static_cast<std::size_t>(d.w))) body.insert(sign_len, 1, '0');
  put_field(rec, d.w, body);
}

void wg_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, const OutItem& item) {
  Descriptor as = d;
  switch (item.type.kind) {
    case ItemKind::Integer:
      as.op = Op::I;
      as.m = 1;
      wiboz_edit(rec, as, modes, item.i);
      return;
    case ItemKind::Logical:
      wl_edit(rec, d, item.i != 0);
      return;
    case ItemKind::Character:
      wa_edit(rec, d, item.chars);
      return;
    case ItemKind::Real:
      break;
  }
  const double v = item.r;
  const int size = item.type.size;
  if (!std::isfinite(v) || d.d <= 0) {
    as.op = Op::E;
    we_edit(rec, as, modes, v, size);
    return;
  }
  // The exponent of the value rounded to d significant digits chooses
  // between an F field followed by blanks and an E field.
  std::int64_t fraction = d.d - 1;
  if (v != 0.0) {
    char digits[20];
    int exp = 0;
    dbl_ascii(v, size != 4 ? 17 : 8, digits, exp);
    round_digits(digits, size != 4 ? 17 : 8, exp, d.d, size != 4);
    if (exp < 0 || exp > d.d) {
      as.op = Op::E;
      we_edit(rec, as, modes, v, size);
      return;
    }
    fraction = d.d - exp;
  }
  const std::int32_t blanks = (d.e < 1 ? 2 : d.e) + 2;
  if (d.w - blanks < 1) {
    overflow(rec, d.w);
    return;
  }
  OutRecord f;
  EditModes unscaled = modes;
  unscaled.scale = 0;
  wf_edit(f, desc_f(d.w - blanks, static_cast<std::int32_t>(fraction)), unscaled, v, size);
  if (f.text.find_first_not_of('*') == std::string::npos) {
    overflow(rec, d.w);
    return;
  }
  rec.put(f.text);
  for (std::int32_t i = 0; i < blanks; ++i) rec.put(' ');
}

void wa_edit(OutRecord& rec, const Descriptor& d, std::string_view item) {
  if (d.w <= 0 || item.size() == static_cast<std::size_t>(d.w)) {
    rec.put(item);
  } else if (item.size() < static_cast<std::size_t>(d.w)) {
    for (std::size_t i = item.size(); i < static_cast<std::size_t>(d.w); ++i) rec.put(' ');
    rec.put(item);
  } else {
    rec.put(item.substr(0, static_cast<std::size_t>(d.w)));
  }
}

namespace {

// The digits and exponent of a number written by to_chars in scientific
// form, "d.ddd...de+XX".
void digits_of(const char* buf, const char* end, int significant, char digits[20], int& exp) {
  digits[0] = buf[0];
  for (int i = 1; i < significant; ++i) digits[i] = buf[i + 1];
  const char* e = end;
  while (*--e != 'e') {
  }
  int e10 = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, e10);
  exp = e10 + 1;
}

}  // namespace

void exact_digits(double v, int significant, char digits[20], int& exp) {
  std::fill(digits, digits + 20, '0');
  exp = 0;
  if (v == 0.0 || !std::isfinite(v)) return;
  significant = std::clamp(significant, 1, 20);
  // A double's exact decimal expansion has at most 767 significant digits,
  // so at this precision nothing is rounded and cutting off is exact.
  char buf[800];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 766);
  digits_of(buf, res.ptr, significant, digits, exp);
}

void dbl_ascii(double v, int significant, char digits[20], int& exp) {
  if (v == 0.0 || !std::isfinite(v)) return exact_digits(v, significant, digits, exp);
  significant = std::clamp(significant, 1, 20);
  // Rounded to three digits more, the number starts with the exact
  // expansion's digits unless the rounding carried into them, which leaves
  // the three reading 000: then the exact expansion decides.
  constexpr int kGuard = 3;
  char buf[48];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                 significant - 1 + kGuard);
  const char* guard = buf + significant + 1;
  if (std::all_of(guard, guard + kGuard, [](char c) { return c == '0'; })) {
    return exact_digits(v, significant, digits, exp);
  }
  std::fill(digits, digits + 20, '0');
  digits_of(buf, res.ptr, significant, digits, exp);
}

}  // namespace arb::rt
