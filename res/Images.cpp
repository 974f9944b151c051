#include "res/Images.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <functional>

#include "res/CommandTable.h"

namespace {

constexpr int kW = 16;
constexpr int kH = 15;

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kOlive(128, 128, 0);
const QColor kGreen(0, 128, 0);
const QColor kRed(192, 0, 0);
const QColor kGrey(128, 128, 128);

void Page(QPainter& p, int x, int y, int w, int h)
{
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(x, y, w, h);
    p.setPen(kGrey);
    for (int ly = y + 3; ly < y + h - 1; ly += 2)
        p.drawLine(x + 2, ly, x + w - 3, ly);
}

void Folder(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(6, 4), QPoint(7, 5), QPoint(13, 5), QPoint(13, 13), QPoint(1, 13)}));
    p.setBrush(kOlive);
    p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 13), QPoint(1, 13)}));
}

void Arrow(QPainter& p, QColor colour, QPoint from, QPoint to)
{
    p.setPen(QPen(colour, 2));
    p.drawLine(from, to);
    p.setBrush(colour);
    const QPoint d = to - from;
    const QPoint n(-d.y() / 3, d.x() / 3);
    p.setPen(colour);
    p.drawPolygon(QPolygon({to + d / 3, to + n, to - n}));
}

void Floppy(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kNavy);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(kPaper);
    p.drawRect(3, 1, 9, 5);
    p.setBrush(kGrey);
    p.drawRect(4, 9, 7, 5);
}

void Printer(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(kGrey);
    p.drawRect(1, 6, 13, 5);
    p.setBrush(kPaper);
    p.drawRect(3, 10, 9, 4);
    p.setPen(kGreen);
    p.drawPoint(12, 8);
}

void Scissors(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.drawLine(4, 1, 10, 9);
    p.drawLine(11, 1, 5, 9);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kNavy, 1));
    p.drawEllipse(1, 9, 5, 5);
    p.drawEllipse(9, 9, 5, 5);
}

void TwoPages(QPainter& p)
{
    Page(p, 1, 1, 8, 10);
    Page(p, 6, 4, 8, 10);
}

void Clipboard(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kOlive);
    p.drawRect(1, 2, 10, 12);
    p.setBrush(kGrey);
    p.drawRect(4, 1, 4, 2);
    Page(p, 6, 5, 8, 9);
}

void Eraser(QPainter& p)
{
    Page(p, 1, 1, 10, 13);
    p.setPen(QPen(kRed, 2));
    p.drawLine(7, 6, 14, 13);
    p.drawLine(14, 6, 7, 13);
}

void SelectAll(QPainter& p)
{
    Page(p, 2, 1, 11, 13);
    p.setPen(QPen(kNavy, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 15, 14);
}

void Undo(QPainter& p)
{
    QPainterPath path;
    path.moveTo(13, 12);
    path.cubicTo(14, 4, 8, 2, 4, 6);
    p.setPen(QPen(kNavy, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(kNavy);
    p.setBrush(kNavy);
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(7, 9), QPoint(1, 9)}));
}

void GotoError(QPainter& p)
{
    Page(p, 5, 1, 10, 13);
    p.setPen(kRed);
    p.setBrush(kRed);
    p.drawRect(7, 6, 6, 2);
    Arrow(p, kRed, QPoint(0, 7), QPoint(3, 7));
}

void Run(QPainter& p, QColor colour)
{
    p.setPen(kInk);
    p.setBrush(colour);
    p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(13, 7), QPoint(3, 13)}));
}

void PickModel(QPainter& p)
{
    Folder(p);
    p.setPen(kInk);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(8, 0), QPoint(15, 4), QPoint(8, 8)}));
}

void RunLast(QPainter& p)
{
    Run(p, kTeal);
    p.setPen(QPen(kInk, 2));
    p.drawLine(14, 2, 14, 12);
}

void About(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawEllipse(1, 0, 13, 13);
    p.setPen(QPen(kNavy, 2));
    p.drawLine(8, 6, 8, 11);
    p.drawPoint(8, 3);
}

void Terminate(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kRed);
    p.drawPolygon(QPolygon({QPoint(5, 0), QPoint(10, 0), QPoint(15, 5), QPoint(15, 9), QPoint(10, 14), QPoint(5, 14),
                            QPoint(0, 9), QPoint(0, 5)}));
    p.setPen(QPen(kPaper, 2));
    p.drawLine(4, 7, 11, 7);
}

void NewPage(QPainter& p)
{
    Page(p, 2, 1, 11, 13);
    p.setPen(kYellow);
    p.drawLine(12, 0, 15, 3);
    p.drawLine(15, 0, 12, 3);
}

void LoadInto(QPainter& p)
{
    Page(p, 5, 2, 10, 12);
    Arrow(p, kGreen, QPoint(0, 8), QPoint(5, 8));
}

void Draw(QPainter& p, int index)
{
    switch (index) {
    case 0: NewPage(p); break;
    case 1: Folder(p); break;
    case 2: LoadInto(p); break;
    case 3: Floppy(p); break;
    case 4: Printer(p); break;
    case 5: Undo(p); break;
    case 6: Scissors(p); break;
    case 7: TwoPages(p); break;
    case 8: Clipboard(p); break;
    case 9: Eraser(p); break;
    case 10: SelectAll(p); break;
    case 11: GotoError(p); break;
    case 12: Run(p, kGreen); break;
    case 13: PickModel(p); break;
    case 14: RunLast(p); break;
    case 15: About(p); break;
    case 16: Terminate(p); break;
    default: break;
    }
}

QPixmap Canvas(int w, int h, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p);
    return pixmap;
}

// The program's own mark: a page of text under a coloured band that names the
// language. It is drawn in whole device pixels for each size rather than
// scaled from one size, so that outlines stay one or two pixels wide and the
// name fits its band at every size; below 32 pixels the band holds only "N",
// as three letters would no longer be legible there.
void Mark(QPainter& p, int size, QColor band)
{
    const double unit = size / 16.0;
    const int outline = std::max(1, qRound(unit / 4));
    const int margin = qRound(1.5 * unit);
    const QRect page(margin, 0, size - 2 * margin, size);
    const QRect inside = page.adjusted(outline, outline, -outline, -outline);
    const int bandHeight = qRound(5 * unit) + 1;
    const QRect bandRect(inside.left(), inside.top(), inside.width(), bandHeight - outline);
    p.fillRect(page, kInk);
    p.fillRect(inside, kPaper);
    p.fillRect(bandRect, band);

    const QString name = size < 32 ? QStringLiteral("N") : QStringLiteral("NUV");
    QFont font;
    font.setBold(true);
    // The largest font whose capitals fit the band with a pixel of band on each
    // side: scaled from one measurement, then made smaller while it does not fit
    // (rounding), as measuring every size would cost a font load each.
    const int padding = std::max(1, outline);
    const QSizeF room(bandRect.width() - 2 * padding, bandRect.height() - 2 * padding);
    constexpr int kProbe = 100;
    font.setPixelSize(kProbe);
    const QFontMetricsF probe(font);
    int pixels = std::max(1, static_cast<int>(kProbe * std::min(room.width() / probe.horizontalAdvance(name),
                                                                room.height() / probe.capHeight())));
    for (;; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetricsF metrics(font);
        if (pixels == 1 || (metrics.horizontalAdvance(name) <= room.width() && metrics.capHeight() <= room.height()))
            break;
    }
    p.setFont(font);
    p.setPen(kPaper);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawText(bandRect, Qt::AlignCenter, name);

    // Up to four rules of text below the band, evenly spread, with paper between them.
    const int rule = std::max(1, qRound(unit / 2));
    const int top = bandRect.bottom() + 1;
    const int space = inside.bottom() + 1 - top;
    const int rules = std::clamp(space / (2 * rule) - 1, 1, 4);
    const int step = space / (rules + 1);
    for (int i = 1; i <= rules; ++i)
        p.fillRect(QRect(inside.left() + qRound(unit), top + i * step - rule / 2, inside.width() - 2 * qRound(unit), rule),
                   kGrey);
}

QPixmap MarkImage(int size, QColor band)
{
    return Canvas(size, size, [size, band](QPainter& p) { Mark(p, size, band); });
}

QIcon MarkIcon(QColor band)
{
    QIcon icon;
    for (int size : IconSizes())
        icon.addPixmap(MarkImage(size, band));
    return icon;
}

}  // namespace

QPixmap ToolBarImage(int index)
{
    if (index < 0 || index >= kToolBarImageCount)
        return {};
    return Canvas(kW, kH, [index](QPainter& p) { Draw(p, index); });
}

const std::vector<int>& IconSizes()
{
    static const std::vector<int> sizes{16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QPixmap ApplicationImage(int size)
{
    return MarkImage(size, kNavy);
}

QPixmap EditorImage(int size)
{
    return MarkImage(size, kTeal);
}

QIcon ApplicationIcon()
{
    return MarkIcon(kNavy);
}

QIcon EditorIcon()
{
    return MarkIcon(kTeal);
}

QIcon OutputIcon()
{
    return MarkIcon(kGreen);
}
