#include "print/CPrintAbortDlg.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "res/StringTable.h"

namespace {

// The template's rectangles are in dialog units: a quarter of the font's
// average character width across, an eighth of its height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : m_x(std::max(1, metrics.averageCharWidth())), m_y(std::max(1, metrics.height()))
    {
    }
    QRect Rect(int x, int y, int w, int h) const { return {X(x), Y(y), X(w), Y(h)}; }
    int X(int units) const { return units * m_x / 4; }
    int Y(int units) const { return units * m_y / 8; }

private:
    int m_x;
    int m_y;
};

}  // namespace

CPrintAbortDlg::CPrintAbortDlg(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QString::fromUtf8(LoadStringEntry(IDS_NUV)));
    // A caption and a close box (which cancels), nothing to resize or minimise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    const DialogUnits units(fontMetrics());
    auto* text = new QLabel(QStringLiteral("Print job is in progress"), this);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setGeometry(units.Rect(10, 10, 98, 8));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setGeometry(units.Rect(30, 34, 60, 14));
    m_cancel->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &CPrintAbortDlg::reject);
    setFixedSize(units.X(117), units.Y(59));
    if (owner)
        move(owner->mapToGlobal(QPoint(units.X(108), units.Y(39))));
}

void CPrintAbortDlg::reject()
{
    emit cancelled();
}
