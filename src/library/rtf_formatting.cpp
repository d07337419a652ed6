#include "library/rtf_formatting.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace vaticor::rtf {
namespace {

constexpr int kMaxHalfPoints = 3276;    // 1638 points, Word's largest
constexpr int kMaxIndentTwips = 31680;  // 22 inches, Word's limit

struct Param {
  bool given;
  std::int64_t value;
  // A toggle ("\b", "\b1", "\b0") is on unless its parameter is 0.
  bool On() const { return !given || value != 0; }
  int Index() const { return ClampParam(value, -1, INT32_MAX); }
  int Twips() const { return ClampParam(value, -kMaxIndentTwips, kMaxIndentTwips); }
};
using P = const Param&;

using CharWord = void (*)(CharFormat&, P);
using ParaWord = void (*)(ParaFormat&, P);

struct CharEntry {
  WordAction action;
  CharWord apply;
};
struct ParaEntry {
  WordAction action;
  ParaWord apply;
};

constexpr CharEntry kCharWords[] = {
    {WordAction::Plain, [](CharFormat& c, P) { c = CharFormat{}; }},
    {WordAction::F, [](CharFormat& c, P p) { c.font = ClampParam(p.value, INT32_MIN, INT32_MAX); }},
    {WordAction::B, [](CharFormat& c, P p) { c.bold = p.On(); }},
    {WordAction::I, [](CharFormat& c, P p) { c.italic = p.On(); }},
    {WordAction::Ul, [](CharFormat& c, P p) { c.underline = p.On(); }},
    {WordAction::UlNone, [](CharFormat& c, P) { c.underline = false; }},
    {WordAction::Strike, [](CharFormat& c, P p) { c.strike = p.On(); }},
    {WordAction::Fs,
     [](CharFormat& c, P p) {
       c.halfPoints = !p.given ? 24 : p.value <= 0 ? 0 : ClampParam(p.value, 1, kMaxHalfPoints);
     }},
    {WordAction::Cf, [](CharFormat& c, P p) { c.colour = p.Index(); }},
    {WordAction::Highlight, [](CharFormat& c, P p) { c.highlight = p.Index(); }},
    {WordAction::Cb, [](CharFormat& c, P p) { c.background = p.Index(); }},
    {WordAction::Super,
     [](CharFormat& c, P p) { c.script = p.On() ? Script::Super : Script::Normal; }},
    {WordAction::Sub, [](CharFormat& c, P p) { c.script = p.On() ? Script::Sub : Script::Normal; }},
    {WordAction::NoSuperSub, [](CharFormat& c, P) { c.script = Script::Normal; }},
    {WordAction::Hidden, [](CharFormat& c, P p) { c.hidden = p.On(); }},
};

constexpr ParaEntry kParaWords[] = {
    {WordAction::Pard, [](ParaFormat& f, P) { f = ParaFormat{}; }},
    {WordAction::Ql, [](ParaFormat& f, P) { f.align = Alignment::Left; }},
    {WordAction::Qr, [](ParaFormat& f, P) { f.align = Alignment::Right; }},
    {WordAction::Qc, [](ParaFormat& f, P) { f.align = Alignment::Centre; }},
    {WordAction::Qj, [](ParaFormat& f, P) { f.align = Alignment::Justify; }},
    {WordAction::Li, [](ParaFormat& f, P p) { f.leftIndent = p.Twips(); }},
    {WordAction::Ri, [](ParaFormat& f, P p) { f.rightIndent = p.Twips(); }},
    {WordAction::Fi, [](ParaFormat& f, P p) { f.firstLineIndent = p.Twips(); }},
    {WordAction::Sb, [](ParaFormat& f, P p) { f.spaceBefore = std::max(0, p.Twips()); }},
    {WordAction::Sa, [](ParaFormat& f, P p) { f.spaceAfter = std::max(0, p.Twips()); }},
};

// The entries by action, so a word costs one look-up.
template <typename Apply, typename Entry, std::size_t N>
constexpr std::array<Apply, kWordActionCount> ByAction(const Entry (&entries)[N]) {
  std::array<Apply, kWordActionCount> byAction{};
  for (const Entry& entry : entries) byAction[static_cast<std::size_t>(entry.action)] = entry.apply;
  return byAction;
}

constexpr auto kCharByAction = ByAction<CharWord>(kCharWords);
constexpr auto kParaByAction = ByAction<ParaWord>(kParaWords);

}  // namespace

bool ApplyFormatting(WordAction action, bool hasParam, std::int64_t param, CharFormat& chr,
                     ParaFormat& para) {
  const auto at = static_cast<std::size_t>(action);
  const Param p{hasParam, param};
  if (const CharWord apply = kCharByAction[at]) {
    apply(chr, p);
    return true;
  }
  if (const ParaWord apply = kParaByAction[at]) {
    apply(para, p);
    return true;
  }
  return false;
}

}  // namespace vaticor::rtf
