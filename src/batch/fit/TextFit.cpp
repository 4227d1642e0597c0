#include "TextFit.h"

#include "SizeLimits.h"

#include "printing/Drukarka.h"
#include "printing/PrintLayout.h"

#include "editor/TextBlockStyle.h"
#include "platform/Rounding.h"

#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <cmath>

namespace batch {

// A printer that only measures: it records the cell of every text as the
// painter devices would paint it.
class TextLayout::Device : public printing::PrinterDevice {
public:
    explicit Device(const printing::SheetGeometry &g) : geometry_(g), image_(1, 1, QImage::Format_RGB32)
    {
        const int dotsPerMeter = int(std::lround(g.dpi / 0.0254));
        image_.setDotsPerMeterX(dotsPerMeter);
        image_.setDotsPerMeterY(dotsPerMeter);
    }

    std::int32_t logPixelsX() override { return geometry_.dpi; }
    std::int32_t logPixelsY() override { return geometry_.dpi; }
    std::int32_t horzRes() override { return geometry_.printable.width(); }
    std::int32_t vertRes() override { return geometry_.printable.height(); }
    void beginJob(const QString &) override
    {
        placed_.clear();
        calls_ = 0;
        font_ = QFont();
    }
    void endJob() override {}
    void abortJob() override {}
    void stretchDraw(const printing::DeviceRect &, const wmf::Metafile &) override {}
    void setFontColour(editor::ColourValue) override {}
    void setFontName(const QString &name) override { font_.setFamily(name); }
    void setFontStyle(std::uint8_t style) override
    {
        font_.setBold(style & editor::FontStyle::Bold);
        font_.setItalic(style & editor::FontStyle::Italic);
        font_.setUnderline(style & editor::FontStyle::Underline);
        font_.setStrikeOut(style & editor::FontStyle::StrikeOut);
    }
    void setFontSize(std::int32_t points) override
    {
        font_.setPixelSize(std::max<std::int32_t>(1, printing::characterHeight(points, geometry_.dpi)));
    }
    void textOut(std::int32_t x, std::int32_t y, const QString &text) override
    {
        const int index = calls_++; // heading, body 1 … 6, recipient: printDiploma's order
        if (text.isEmpty())
            return;
        const QFontMetricsF metrics(font_, &image_);
        placed_.append({index, text, QRectF(x, y, metrics.horizontalAdvance(text), metrics.height())});
    }

    QList<PlacedText> placed_;

private:
    printing::SheetGeometry geometry_;
    QImage image_;
    QFont font_;
    int calls_ = 0;
};

TextLayout::TextLayout(const printing::SheetGeometry &geometry)
    : device_(std::make_unique<Device>(geometry)), geometry_(geometry)
{}

TextLayout::~TextLayout() = default;

QList<PlacedText> TextLayout::place(const printing::PrintInput &input)
{
    printing::PrintInput texts = input;
    texts.picture = wmf::Metafile();
    printing::printDiploma(*device_, texts);
    return device_->placed_;
}

QRectF TextLayout::templateRect(const printing::PrintInput &input) const
{
    const printing::DeviceRect r = printing::templateRectangle(
        geometry_.printable.width(), geometry_.printable.height(),
        std::int64_t(input.templateLeft) * printing::TemplateShiftUnit,
        std::int64_t(input.templateTop) * printing::TemplateShiftUnit);
    return QRectF(r.left, r.top, qreal(r.right) - r.left, qreal(r.bottom) - r.top);
}

QRectF TextLayout::sheetRect() const
{
    return QRectF(0, 0, geometry_.printable.width(), geometry_.printable.height());
}

std::int32_t TextLayout::leftUnitsFor(qreal x) const
{
    const std::int32_t dpm = printing::dotsPerMillimetre(geometry_.dpi);
    const std::int32_t pageWidthMm = platform::Round(static_cast<long double>(geometry_.printable.width()) / dpm);
    if (pageWidthMm <= 0 || dpm <= 0)
        return 0;
    const std::int32_t guess = std::int32_t(std::lround(200.0 * x / (qreal(pageWidthMm) * dpm)));
    std::int32_t best = guess;
    qreal bestError = 1e300;
    for (std::int32_t u = guess - 2; u <= guess + 2; ++u) {
        const qreal error = std::abs(qreal(printing::blockX(pageWidthMm, u)) * dpm - x);
        if (error < bestError) {
            best = u;
            bestError = error;
        }
    }
    return best;
}

int blockOf(int text)
{
    return text == 0 ? 0 : text == 7 ? 2 : 1;
}

QString blockName(int block)
{
    return block == 0 ? QStringLiteral("nagłówek") : block == 1 ? QStringLiteral("treść") : QStringLiteral("dla");
}

namespace {

editor::TextBlockStyle &styleOf(printing::PrintInput &input, int block)
{
    return block == 0 ? input.heading : block == 1 ? input.body : input.recipient;
}

void centre(printing::PrintInput &input, const std::array<bool, 8> &filled, const QRectF &bounds,
            const QList<PlacedText> &placed, TextLayout &layout)
{
    for (const PlacedText &p : placed) {
        if (!filled[size_t(p.index)])
            continue;
        const std::int32_t left = layout.leftUnitsFor(bounds.center().x() - p.cell.width() / 2);
        if (p.index == 0)
            input.heading.left = left;
        else if (p.index == 7)
            input.recipient.left = left;
        else
            input.bodyLeft[p.index - 1] = left;
    }
}

} // namespace

FitOutcome fitRecord(printing::PrintInput &input, const std::array<bool, 8> &filled, const FreeArea &area,
                     const FitSettings &settings, TextLayout &layout)
{
    const QRectF sheet = layout.sheetRect();
    QRectF bounds = sheet;
    if (area.found) {
        const QRectF t = layout.templateRect(input);
        bounds = QRectF(t.left() + area.rect.left() * t.width(), t.top() + area.rect.top() * t.height(),
                        area.rect.width() * t.width(), area.rect.height() * t.height());
    }
    const auto crossing = [&](const PlacedText &p) {
        const qreal middle = p.cell.center().y();
        if (middle < bounds.top() || middle > bounds.bottom())
            return false;
        return p.cell.left() < bounds.left() - 0.5 || p.cell.right() > bounds.right() + 0.5;
    };
    const auto offSheet = [&](const PlacedText &p) {
        return p.cell.left() < 0 || p.cell.top() < 0 || p.cell.right() > sheet.right()
               || p.cell.bottom() > sheet.bottom();
    };

    FitOutcome out;
    QList<PlacedText> placed = layout.place(input);
    if (settings.centre) {
        centre(input, filled, bounds, placed, layout);
        placed = layout.place(input);
    }
    if (settings.shrink) {
        for (int block = 0; block < 3; ++block) {
            const auto blockCrosses = [&] {
                for (const PlacedText &p : placed)
                    if (blockOf(p.index) == block && (crossing(p) || offSheet(p)))
                        return true;
                return false;
            };
            editor::TextBlockStyle &style = styleOf(input, block);
            // A size past the sheet may be laid out as nothing at all.
            if (!blockCrosses() && style.size <= largestSize(layout.geometry()))
                continue;
            const int from = style.size;
            const int lowest = std::max(1, int(std::ceil(from * settings.floor)));
            // Larger sizes never fit the sheet: a bounded bisection for the
            // largest size that fits, not one step a point.
            const int highest = std::min(from - 1, largestSize(layout.geometry()));
            const auto crossesAt = [&](int size) {
                style.size = size;
                placed = layout.place(input);
                if (settings.centre) {
                    centre(input, filled, bounds, placed, layout);
                    placed = layout.place(input);
                }
                return blockCrosses();
            };
            int fits = 0;
            for (int lo = lowest, hi = highest; lo <= hi;) {
                const int middle = lo + (hi - lo) / 2;
                if (crossesAt(middle)) {
                    hi = middle - 1;
                } else {
                    fits = middle;
                    lo = middle + 1;
                }
            }
            if (highest >= lowest) // else no size the sheet holds is within the floor
                crossesAt(fits > 0 ? fits : lowest);
            if (style.size != from)
                out.shrunk.append({block, from, style.size});
        }
    }
    for (const PlacedText &p : placed) {
        if (offSheet(p))
            out.offSheet.append(p);
        else if (crossing(p))
            out.overBorder.append(p);
    }
    return out;
}

} // namespace batch
