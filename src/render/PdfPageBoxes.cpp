#include "PdfPageBoxes.h"

// Without the old PointerHolder type, which nothing here uses.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <exception>

namespace {

constexpr double kPointsPerTenthMillimetre = 72.0 / 254.0;
constexpr double kTolerance = 1.0;

} // namespace

namespace PdfPageBoxes {

QSizeF pointsOf(qint64 width, qint64 height)
{
    return QSizeF(double(width) * kPointsPerTenthMillimetre,
                  double(height) * kPointsPerTenthMillimetre);
}

QString setPageSizes(QByteArray& pdf, const QSizeF& paper)
{
    try {
        QPDF in;
        in.setSuppressWarnings(true);
        in.processMemoryFile("ORINOTE", pdf.constData(), size_t(pdf.size()));
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(in).getAllPages()) {
            QPDFObjectHandle dict = page.getObjectHandle();
            QPDFObjectHandle box = dict.getKey("/MediaBox");
            if (!box.isRectangle())
                continue;
            const QPDFObjectHandle::Rectangle r = box.getArrayAsRectangle();
            if (std::abs((r.urx - r.llx) - paper.width()) > kTolerance ||
                std::abs((r.ury - r.lly) - paper.height()) > kTolerance)
                continue;
            // The writer draws from the top edge down: that edge stays.
            const QPDFObjectHandle::Rectangle exact(r.llx, r.ury - paper.height(),
                                                    r.llx + paper.width(), r.ury);
            dict.replaceKey("/MediaBox", QPDFObjectHandle::newFromRectangle(exact));
        }
        QPDFWriter out(in);
        out.setOutputMemory();
        out.setDecodeLevel(qpdf_dl_none);
        out.setStreamDataMode(qpdf_s_preserve);
        out.setObjectStreamMode(qpdf_o_preserve);
        out.setDeterministicID(true);
        out.write();
        const std::shared_ptr<Buffer> written = out.getBufferSharedPointer();
        pdf = QByteArray(reinterpret_cast<const char*>(written->getBuffer()),
                         qsizetype(written->getSize()));
        return QString();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
}

} // namespace PdfPageBoxes
