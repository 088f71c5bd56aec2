#include "routingstyle.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyledItemDelegate>

namespace routingstyle {

// The rows are drawn by a delegate that honours the sheet: the combo's own one ignores the selection
// colours, and the row reached with the arrows looked like the others.
void styleSelector(QComboBox *selector)
{
    selector->setItemDelegate(new QStyledItemDelegate(selector));
    selector->setStyleSheet(QStringLiteral(
        "QComboBox{color: #ffaa00; background: #16171a; border: 1px solid #050506; border-radius: 3px; "
        "padding: 2px 8px; font: bold 14px Arial; letter-spacing: 1px; combobox-popup: 0;}"
        "QComboBox:focus{border-color: #ffaa00;}"
        "QComboBox:disabled{color: #8a6a2a;}"
        "QComboBox QAbstractItemView{color: #ffaa00; background: #16171a; border: 1px solid #050506; "
        "outline: 0; font: bold 13px Arial;}"
        "QComboBox QAbstractItemView::item{min-height: 22px; padding: 0 6px;}"
        "QComboBox QAbstractItemView::item:hover{background: #3a3c40;}"
        "QComboBox QAbstractItemView::item:selected{background: #ffaa00; color: #16171a;}"
        "QComboBox QScrollBar{background: #1b1c1f; border: none; width: 10px;}"
        "QComboBox QScrollBar::handle{background: #5a5d63; border-radius: 3px; margin: 2px; min-height: 24px;}"
        "QComboBox QScrollBar::add-line, QComboBox QScrollBar::sub-line{height: 0;}"
        "QComboBox QScrollBar::add-page, QComboBox QScrollBar::sub-page{background: none;}"));
    selector->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace routingstyle
