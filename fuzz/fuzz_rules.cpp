// Auto-replace rules reader: whatever the bytes, every rule read is whole (all twelve
// columns of one length), the rules apply to a small document without fault, and the
// written form reads back equal and writes the same bytes again.

#include "FuzzChecks.h"

#include "merge/AutoReplacer.h"
#include "model/CAutoReplaceData.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "model/TextMeasurer.h"

#include <algorithm>

namespace {

class FixedAdvanceMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int crossSize) const override
    {
        return int(std::min<qint64>(qint64(text.size()) * crossSize, 1 << 30));
    }
};

// A page of two sheets whose regions carry the first rules' attributes and, as their
// merged texts, the rules' search strings and bounds: every rule finds something.
void applyToDocument(const CAutoReplaceData& rules)
{
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.append(Sheet{Rect{0, 0, 1000, -1000}});
    t.sheets.append(Sheet{Rect{1000, 0, 2000, -1000}});
    const int n = std::min(rules.count(), 8);
    for (int i = 0; i < n; ++i) {
        TextRect r;
        r.attribute = rules.rule(i).attribute;
        r.rect = Rect{0, -100 * i, 500, -100 * i - 100};
        t.regions.append(r);
    }
    PageBuilder::buildPageOne(doc);
    for (int i = 0; i < doc.textRects().size(); ++i) {
        const AutoReplaceRule rule = rules.rule(i % std::max(n, 1));
        doc.textRects().setText(i, i % 2 ? rule.atLeast : rule.search);
    }
    doc.environment().fitData = rules.count() % 3; // leave, shrink or enlarge
    FixedAdvanceMeasurer measurer;
    AutoReplacer::apply(rules, doc, &measurer);
    checkConsistent(doc.textRects().arrays());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    CAutoReplaceData rules;
    readBytes(input, [&](ArchiveReader& in) { rules.read(in); });
    // A whole rule takes at least five 4-byte ints and seven 1-byte strings: nothing is
    // invented beyond what the bytes hold.
    FUZZ_CHECK(qint64(rules.count()) * 27 <= qint64(size));
    for (int i = 0; i < rules.count(); ++i)
        (void)rules.rule(i);
    FUZZ_CHECK(rules.rule(rules.count()) == AutoReplaceRule());
    if (rules.count() <= 64)
        applyToDocument(rules);

    const QByteArray once = writtenBytes([&](ArchiveWriter& out) { rules.write(out); });
    CAutoReplaceData again;
    FUZZ_CHECK(readBytes(once, [&](ArchiveReader& in) { again.read(in); }));
    FUZZ_CHECK(again == rules);
    FUZZ_CHECK(again.count() == rules.count());
    FUZZ_CHECK(writtenBytes([&](ArchiveWriter& out) { again.write(out); }) == once);
    return 0;
}
