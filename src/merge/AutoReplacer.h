#pragma once

#include <QString>

class CAutoReplaceData;
class CORINOTEDoc;
class TextMeasurer;
struct AutoReplaceRule;

// Apply rules: runs the enabled auto-replace rules, in list order, over the merged
// data-mode regions. A rule works on every copy (on every sheet of every page) of the
// template regions whose attribute equals the rule's attribute, and later rules see what
// earlier ones left.
//
// For one region, with `text` its text before the rule:
// - every ";"-separated search token that `text` contains applies the rule (an empty
//   token is contained in every text, as an empty search string is not: it has no token);
// - when `text` is numeric (digits with at most one ".") and inside the bounds, every
//   token applies the rule again (without a token nothing is applied, but the number
//   still counts as found);
// - when the rule has a search string or a bound but `text` (not empty) matched neither
//   way, the not-found text (unless "そのまま") becomes the region's text.
// Applying the rule replaces the token by the replacement (unless "そのまま"), and sets the
// text colour, background colour and background picture the rule does not keep. Changed
// texts are fitted to their region by "TROD" (1 shrink, 2 enlarge) through the measurer.
class AutoReplacer
{
public:
    static void apply(const CAutoReplaceData& rules, CORINOTEDoc& doc,
                      const TextMeasurer* measurer);

    // Whether the text is a number for the bounds test: at least one digit 0–9, nothing
    // else but at most one ".".
    static bool isNumeric(const QString& text);
    // A bound as the rule gives it: the leading decimal number (sign, digits, ".",
    // exponent), after leading blanks; anything that is not a number counts as 0.
    static double boundValue(const QString& bound);

private:
    static void applyRule(const AutoReplaceRule& rule, CORINOTEDoc& doc,
                          const TextMeasurer* measurer);
    static void applyToRegion(const AutoReplaceRule& rule, int i, const QString& token,
                              CORINOTEDoc& doc, const TextMeasurer* measurer);
    static void fitText(CORINOTEDoc& doc, int i, const TextMeasurer* measurer);
};
