#include "AutoReplacer.h"

#include "model/CAutoReplaceData.h"

#include "model/CORINOTEDoc.h"
#include "render/RegionFitter.h"

#include <QLocale>

void AutoReplacer::apply(const CAutoReplaceData& rules, CORINOTEDoc& doc,
                         const TextMeasurer* measurer)
{
    for (int r = 0; r < rules.count(); ++r) {
        const AutoReplaceRule rule = rules.rule(r);
        if (rule.enabled == 1)
            applyRule(rule, doc, measurer);
    }
}

void AutoReplacer::applyRule(const AutoReplaceRule& rule, CORINOTEDoc& doc,
                             const TextMeasurer* measurer)
{
    const TextRectFamily& templateRegions = doc.labelTemplate().regions;
    const int m = templateRegions.size();
    const int total = doc.textRects().size();
    if (m == 0 || total == 0)
        return;

    const QStringList tokens =
        rule.search.isEmpty() ? QStringList() : rule.search.split(QLatin1Char(';'));
    const bool hasLow = !rule.atLeast.isEmpty();
    const bool hasHigh = !rule.atMost.isEmpty();
    const double low = boundValue(rule.atLeast);
    const double high = boundValue(rule.atMost);
    const bool writesNotFound = rule.notFound != AutoReplaceRule::keep();

    for (int k = 0; k < m; ++k) {
        if (templateRegions.attribute(k) != rule.attribute)
            continue;
        for (int i = k; i < total; i += m) {
            const QString text = doc.textRects().text(i);
            bool found = false;
            for (const QString& token : tokens) {
                if (text.contains(token)) {
                    applyToRegion(rule, i, token, doc, measurer);
                    found = true;
                }
            }

            bool inRange = false;
            if ((hasLow || hasHigh) && isNumeric(text)) {
                const double x = QLocale::c().toDouble(text);
                const bool holds = (!hasLow || x >= low) && (!hasHigh || x <= high);
                if (holds) {
                    for (const QString& token : tokens)
                        applyToRegion(rule, i, token, doc, measurer);
                    // A number inside the bounds was found, token or not: it must not
                    // get the not-found text.
                    inRange = true;
                }
            }

            // Not found by text (a search string) or by number (a bound): a text that
            // matched either way was found, so a number inside the bounds never gets the
            // not-found text just because it does not contain a search token.
            if (!writesNotFound || text.isEmpty() || found || inRange)
                continue;
            if (!rule.search.isEmpty() || hasLow || hasHigh) {
                doc.textRects().setText(i, rule.notFound);
                fitText(doc, i, measurer);
            }
        }
    }
}

void AutoReplacer::applyToRegion(const AutoReplaceRule& rule, int i, const QString& token,
                                 CORINOTEDoc& doc, const TextMeasurer* measurer)
{
    TextRectFamily& regions = doc.textRects();
    if (rule.replacement != AutoReplaceRule::keep()) {
        if (!token.isEmpty()) {
            QString text = regions.text(i);
            text.replace(token, rule.replacement);
            regions.setText(i, text);
        }
        fitText(doc, i, measurer);
    }
    if (rule.keepTextColor == 0)
        regions.setTextColor(i, rule.textColor);
    if (rule.keepBackColor == 0) {
        regions.setBackColor(i, rule.backColor);
        regions.setBackColorOff(i, 0);
    }
    if (rule.backPicture != AutoReplaceRule::keep() && rule.backPicture != regions.backPicture(i))
        regions.setBackPicture(i, rule.backPicture);
}

void AutoReplacer::fitText(CORINOTEDoc& doc, int i, const TextMeasurer* measurer)
{
    const int mode = doc.environment().fitData;
    if (mode == EnvironmentSettings::Shrink || mode == EnvironmentSettings::Enlarge)
        RegionFitter::fitRegion(doc.textRects(), i, mode, measurer);
}

bool AutoReplacer::isNumeric(const QString& text)
{
    bool digit = false;
    bool point = false;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digit = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    // A lone "." is no number, though it has no other character.
    return digit;
}

double AutoReplacer::boundValue(const QString& bound)
{
    // The longest leading part that reads as a decimal number, as the C library's atof
    // takes it, but always with "." as the decimal point whatever the locale.
    qsizetype i = 0;
    const qsizetype n = bound.size();
    const auto isDigit = [&](qsizetype at) {
        return at < n && bound.at(at) >= QLatin1Char('0') && bound.at(at) <= QLatin1Char('9');
    };
    while (i < n && (bound.at(i) == QLatin1Char(' ') || bound.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (bound.at(i) == QLatin1Char('+') || bound.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && bound.at(i) == QLatin1Char('.')) {
        ++i;
        while (isDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < n && (bound.at(i) == QLatin1Char('e') || bound.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (bound.at(j) == QLatin1Char('+') || bound.at(j) == QLatin1Char('-')))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            end = j;
        }
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(QStringView(bound).mid(start, end - start), &ok);
    return ok ? value : 0.0;
}
