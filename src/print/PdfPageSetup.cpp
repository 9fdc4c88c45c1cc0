#include "print/PdfPageSetup.h"

#include <QMarginsF>

QPageLayout PdfPageSetup::layout(const QPageSize &paper, PageOrientation orientation)
{
    return QPageLayout(paper, orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(BorderMM, BorderMM, BorderMM, BorderMM), QPageLayout::Millimeter);
}
