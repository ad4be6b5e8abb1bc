// SPDX-License-Identifier: GPL-3.0-or-later
// The format engine's common core: format texts translated into the
// compiled byte form, and the delivery of edit descriptors with repeat
// counts, nested groups and reversion.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "item.h"

namespace arb::rt {

// Opcodes of the compiled format.  Numeric operands follow the opcode as
// 32-bit signed integers, most significant byte first; the exponent digit
// count e is one byte.
enum class Op : std::uint8_t {
  End = 0,
  I = 1, B = 2, O = 3, Z = 4,   // r, w, m
  F = 5,                        // r, w, d
  E = 6, D = 7, ES = 8, EN = 9, G = 10,  // r, w, d, e(1 byte)
  L = 11,                       // r, w
  A = 12,                       // r, w
  T = 13, TL = 14, TR = 15,     // n
  X = 16,                       // n
  P = 17,                       // k
  Slash = 18,                   // n
  Text = 19,                    // length, characters
  SP = 22, SS = 23,
  BN = 24, BZ = 25,
  Colon = 26,
  Dollar = 27,
  Q = 28,
  ED = 29,                      // E, ES or EN with a D exponent: r, w, d, e
  GD = 30,                      // G with a D exponent: r, w, d, e
  QF = 31,                      // Qw.d: r, w, d
  GroupOpen = 126,              // r
  GroupClose = 127,
};

// How an instruction's operands follow its opcode.
enum class Operands : std::uint8_t {
  None,
  N,     // n: T, TL, TR, X, the scale factor of P, the count of "/"
  R,     // r: a group's repeat count
  RW,    // r, w: L, A
  RWM,   // r, w, m: I, B, O, Z
  RWD,   // r, w, d: F, Qw.d
  RWDE,  // r, w, d, e (1 byte): E, D, ES, EN, G and their D-exponent forms
  Text,  // length, characters
};

// What an opcode is: the translator writes its operands by this table, the
// engine reads them back by it, and the edit routines ask it.
struct OpTraits {
  Operands operands = Operands::None;
  bool data = false;        // transfers an item (Q, with no operands, does so on input only)
  bool real = false;        // a real field: takes a real item and a real's default widths
  bool comma_ends = false;  // a comma ends its input field early
  std::uint8_t base = 10;   // of an integer field's digits
};

constexpr std::array<OpTraits, 128> make_op_table() {
  std::array<OpTraits, 128> t{};
  auto set = [&t](Op op, OpTraits traits) { t[static_cast<std::size_t>(op)] = traits; };
  using O = Operands;
  set(Op::I, {O::RWM, true, false, true, 10});
  set(Op::B, {O::RWM, true, false, true, 2});
  set(Op::O, {O::RWM, true, false, true, 8});
  set(Op::Z, {O::RWM, true, false, true, 16});
  set(Op::F, {O::RWD, true, true, true});
  for (Op op : {Op::E, Op::D, Op::ES, Op::EN, Op::G, Op::ED, Op::GD}) set(op, {O::RWDE, true, true, true});
  set(Op::QF, {O::RWD, true, true, false});
  set(Op::L, {O::RW, true});
  set(Op::A, {O::RW, true});
  for (Op op : {Op::T, Op::TL, Op::TR, Op::X, Op::P, Op::Slash}) set(op, {O::N});
  set(Op::Text, {O::Text});
  set(Op::GroupOpen, {O::R});
  return t;
}
inline constexpr std::array<OpTraits, 128> kOpTable = make_op_table();

constexpr const OpTraits& traits(Op op) { return kOpTable[static_cast<std::size_t>(op) & 127]; }

// True for the opcodes that transfer an item; Q transfers one too, on
// input only.
constexpr bool is_data(Op op) { return traits(op).data; }

// The compiled form of one format text.
struct CompiledFormat {
  std::vector<std::uint8_t> code;
};

// Translates a format text.  Returns 0, or the number of the failure
// (an Err value: FormatError, IllegalRepeat, HollerithCount, MissingOpen,
// UnmatchedParens, UnmatchedQuotes, NonRepeatable).
int trans_format(std::string_view text, CompiledFormat& out);

// One edit descriptor as delivered to the statement.
struct Descriptor {
  Op op = Op::End;
  std::int32_t w = 0;      // width (0: as wide as needed, after setformat)
  std::int32_t d = 0;      // fraction digits (F, E, D, G, Q)
  std::int32_t m = 1;      // minimum digits (I, B, O, Z)
  std::int32_t e = 2;      // exponent digits
  std::int32_t n = 0;      // T, TL, TR, X, "/" count; the scale factor of P
  std::string_view text;   // quoted or Hollerith text
};

// Delivery of descriptors for one statement (setformat / nextformat).
class FormatEngine {
 public:
  // format_init: translates the text and resets the state.  Returns 0 or
  // the translation failure's number; nothing else may be called after a
  // failure.
  int init(std::string_view text);
  // The same with a format translated before (rc its translation's
  // result); the compiled form must outlive the statement.
  int init(const CompiledFormat& compiled, int rc);

  // Q takes an item only on input; a read statement says so before its
  // first item.  setformat then gives Q like a data descriptor.
  void set_reading(bool reading) { reading_ = reading; }

  // setformat: the next descriptor for an item of the given type.  A
  // descriptor that transfers no item is returned as it is; the caller
  // carries it out and asks again.  At the end of the format Op::End is
  // returned once, the reversion already arranged: the caller ends the
  // current record and asks again.  Widths not written are taken from the
  // item.  Throws IoError (GroupOverflow; FormatError when a whole pass
  // over the format delivers no data descriptor for the item).
  Descriptor setformat(const ItemType& item);

  // The end-of-statement scan: gives the next descriptor that transfers no
  // item and returns true, stepping over group openings and into groups
  // with repetitions left; returns false at a data descriptor or the end
  // of the format (which is not reverted).  The caller stops at ":".
  // Throws IoError(GroupOverflow) like setformat when the scan enters a
  // 21st nested level.
  bool nextformat(Descriptor& out);

  // The statement's record position.  A repetition of a group that
  // delivers no data descriptor and no record end is a function of the
  // position alone; once one leaves the position as it found it, so would
  // every further one, and the group is left at once.  ‹(999999999(1X),I4)›
  // then costs a few repetitions, not a billion.  A repetition that
  // delivers nothing at all (an empty group) ends the group, watched or not.
  void watch(const std::size_t* position) { position_ = position; }

  // The next repetition of a repeated data descriptor whose width was
  // written (12F5.1): what setformat gives for any item of its kind, here
  // without the walk.  False when there is none; nothing changes then.
  bool next_repeat(Descriptor& out) {
    if (repeat_left_ <= 0 || repeat_.w <= 0) return false;
    --repeat_left_;
    out = repeat_;
    return true;
  }

 private:
  // One level of nested parentheses inside the outermost pair.
  static constexpr std::size_t kNoMark = static_cast<std::size_t>(-1);
  struct Group {
    std::int32_t count = 0;  // repeat count
    std::int32_t left = 0;   // repetitions still to run
    std::size_t first = 0;   // offset of the group's first instruction
    bool busy = false;           // this repetition delivered data or a record end
    bool acted = false;          // this repetition delivered anything at all
    std::size_t mark = kNoMark;  // the position after the last idle repetition
  };
  static constexpr int kMaxDepth = 20;

  void open_group(std::int32_t count);
  void close_group();
  void revert();
  void mark_busy();  // every open group: this repetition did more than move
  void mark_acted();  // every open group: this repetition delivered a descriptor

  void reset_state();

  const CompiledFormat& fmt() const { return shared_ ? *shared_ : own_; }

  CompiledFormat own_;                       // the translation made by init(text)
  const CompiledFormat* shared_ = nullptr;  // or one translated before
  std::size_t pc_ = 0;
  std::array<Group, kMaxDepth> groups_{};  // entry 0 serves the first nesting level
  int depth_ = 0;                          // entries in use
  bool entered_group_ = false;             // a nested group was entered
  Descriptor repeat_;                      // the data descriptor being repeated, as written
  std::int32_t repeat_left_ = 0;
  bool data_since_end_ = true;  // a data descriptor was delivered since the last Op::End
  bool reading_ = false;
  const std::size_t* position_ = nullptr;  // watched record position, if any
};

}  // namespace arb::rt
