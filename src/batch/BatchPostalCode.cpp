#include "BatchPostalCode.h"

#include "pages/PicturePrintCheck.h"
#include "pages/PostalPrintCheck.h"
#include "postal/CustomerBarcode.h"
#include "postal/PostalCode.h"
#include "postal/PostalData.h"
#include "postal/PostalTable.h"

#include <QCoreApplication>

#include <cstdio>

namespace BatchPostalCode {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BatchPostalCode", text);
}

// The exit status once the answer is printed: 1, said on standard error, when standard
// output did not take it (a full disk, a closed pipe), so that a script never takes a
// missing answer for one.
int finishOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(tr("標準出力に書き込めませんでした。")));
    return 1;
}

} // namespace

int lookup(const QString& code)
{
    if (PostalCode::digits(code).isEmpty()) {
        std::fprintf(stderr, "orinote-batch: %s\n",
                     qPrintable(tr("郵便番号の形式が正しくありません: %1").arg(code)));
        return 1;
    }
    const PostalTable& table = PostalData::table();
    if (!table.isLoaded()) {
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(PostalData::unavailableMessage()));
        return 1;
    }
    const QList<PostalAddress> addresses = table.addresses(code);
    if (addresses.isEmpty()) {
        std::fprintf(
            stderr, "orinote-batch: %s\n",
            qPrintable(tr("この郵便番号は見つかりません: %1").arg(PostalCode::normalised(code))));
        return 1;
    }
    // Prefecture, city and town, separated by tabs: readable, and easy to split.
    for (const PostalAddress& a : addresses)
        std::printf("%s\t%s\t%s\n", qPrintable(a.prefecture), qPrintable(a.city),
                    qPrintable(a.town));
    return finishOutput();
}

int barcode(const QString& code, const QString& address)
{
    const QString normalised = PostalCode::normalised(code);
    const CustomerBarcode::Content c = CustomerBarcode::content(
        normalised.isEmpty() ? code : normalised, address, &PostalData::table());
    if (c.text.isEmpty()) {
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(c.error));
        return 1;
    }
    const int check = CustomerBarcode::checkCharacter(CustomerBarcode::characters(c.text));
    std::printf("%s\t%s\n", qPrintable(c.text), qPrintable(CustomerBarcode::characterText(check)));
    return finishOutput();
}

QString printWarning(const CORINOTEDoc& doc)
{
    const QString postal = PostalPrintCheck::warning(PostalPrintCheck::problems(doc));
    const QString pictures = PicturePrintCheck::warning(PicturePrintCheck::check(doc));
    if (postal.isEmpty() || pictures.isEmpty())
        return postal + pictures;
    return postal + QLatin1Char('\n') + pictures;
}

} // namespace BatchPostalCode
