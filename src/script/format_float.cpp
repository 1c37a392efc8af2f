#include "script/format_float.h"

#include <cmath>
#include <vector>

#include "script/number_text.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

// Splits at ";" outside quotes.
std::vector<std::string_view> splitSections(std::string_view picture) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  char quote = 0;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';' && sections.size() < 2) {
      sections.push_back(picture.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(picture.substr(start));
  return sections;
}

// What a section asks for.
struct Layout {
  int wholePlaces = 0;    // placeholders before the point
  int wholeMinimum = 0;   // from the first 0 before the point
  int fractionMin = 0;    // up to the last 0 after the point
  int fractionMax = 0;    // placeholders after the point
  bool thousands = false;
  bool scientific = false;
};

bool isExponentAt(std::string_view s, std::size_t i) {
  return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

Layout analyse(std::string_view s) {
  Layout l;
  bool afterPoint = false;
  bool zeroSeen = false;
  char quote = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (isExponentAt(s, i)) {
      l.scientific = true;
      break;
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      l.thousands = true;
    } else if (c == '0' || c == '#') {
      if (afterPoint) {
        ++l.fractionMax;
        if (c == '0') l.fractionMin = l.fractionMax;
      } else {
        ++l.wholePlaces;
        if (c == '0') zeroSeen = true;
        if (zeroSeen) ++l.wholeMinimum;
      }
    }
  }
  return l;
}

struct Digits {
  std::string whole;     // padded to the minimum
  std::string fraction;  // trimmed to the minimum
  int exponent = 0;
};

Digits digitsFor(const Layout& l, double value) {
  Digits d;
  if (l.scientific) {
    const int places = l.wholePlaces > 0 ? l.wholePlaces : 1;
    const int significant = std::min(18, places + l.fractionMax);
    const ScientificDigits s = scientificDigits(value, std::max(1, significant));
    std::string all = s.digits;
    all.resize(static_cast<std::size_t>(places + l.fractionMax), '0');
    d.whole = all.substr(0, static_cast<std::size_t>(places));
    d.fraction = all.substr(static_cast<std::size_t>(places));
    d.exponent = value == 0 ? 0 : s.exponent - (places - 1);
  } else {
    const FixedDigits f = fixedDigits(value, l.fractionMax);
    d.whole = f.whole == "0" ? "" : f.whole;
    d.fraction = f.fraction;
  }
  while (static_cast<int>(d.whole.size()) < l.wholeMinimum) d.whole.insert(d.whole.begin(), '0');
  while (static_cast<int>(d.fraction.size()) > l.fractionMin && d.fraction.back() == '0') d.fraction.pop_back();
  return d;
}

bool allZero(const Digits& d) {
  return d.whole.find_first_not_of('0') == std::string::npos &&
         d.fraction.find_first_not_of('0') == std::string::npos;
}

// Writes the section with the digits in place of its placeholders.
std::string render(std::string_view s, const Layout& l, const Digits& d, bool minus) {
  std::string out = minus ? "-" : "";
  const int wholeSize = static_cast<int>(d.whole.size());
  int wholePlace = 0;     // placeholders of the whole part met so far
  std::size_t fraction = 0;
  bool afterPoint = false;
  auto putWholeDigit = [&](int index) {
    out.push_back(d.whole[static_cast<std::size_t>(index)]);
    if (l.thousands && index + 1 < wholeSize && (wholeSize - 1 - index) % 3 == 0) out.push_back(',');
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"' || c == '\'') {
      const std::size_t end = s.find(c, i + 1);
      const std::size_t stop = end == std::string_view::npos ? s.size() : end;
      out.append(s.substr(i + 1, stop - i - 1));
      i = stop;
    } else if (isExponentAt(s, i)) {
      std::size_t j = i + 2;
      int minDigits = 0;
      while (j < s.size() && s[j] == '0') ++minDigits, ++j;
      out.push_back(c);
      out += exponentText(d.exponent, s[i + 1] == '+', minDigits);
      i = j - 1;
      afterPoint = true;  // placeholders after the exponent are not digits any more
      fraction = d.fraction.size();
    } else if (c == '0' || c == '#') {
      if (!afterPoint) {
        // Whole digits are right-aligned on the placeholders; the first takes any surplus.
        const int first = wholeSize - (l.wholePlaces - wholePlace);
        if (wholePlace == 0)
          for (int k = 0; k < first; ++k) putWholeDigit(k);
        if (first >= 0 && first < wholeSize) putWholeDigit(first);
        ++wholePlace;
      } else if (fraction < d.fraction.size()) {
        out.push_back(d.fraction[fraction++]);
      }
    } else if (c == '.') {
      if (!afterPoint) {
        if (l.wholePlaces == 0)  // a picture without whole placeholders still shows the whole part
          for (int k = 0; k < wholeSize; ++k) putWholeDigit(k);
        if (!d.fraction.empty()) out.push_back('.');
        afterPoint = true;
      }
    } else if (c != ',') {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::string formatFloat(std::string_view picture, double value) {
  if (picture.empty() || !std::isfinite(value)) return formatReal(value);
  const std::vector<std::string_view> sections = splitSections(picture);
  std::string_view section = sections[0];
  bool minus = false;
  if (value < 0) {
    if (sections.size() >= 2 && !sections[1].empty()) {
      section = sections[1];
    } else {
      minus = true;
    }
  }
  Layout layout = analyse(section);
  if (!layout.scientific && std::fabs(value) >= 1e18) return formatReal(value);
  Digits digits = digitsFor(layout, value);
  if (allZero(digits)) {
    minus = false;
    if (sections.size() == 3 && !sections[2].empty()) {
      section = sections[2];
      layout = analyse(section);
      digits = digitsFor(layout, value);
    } else if (section != sections[0]) {
      section = sections[0];
      layout = analyse(section);
      digits = digitsFor(layout, value);
    }
  }
  return render(section, layout, digits, minus);
}

}  // namespace ondrix::script
