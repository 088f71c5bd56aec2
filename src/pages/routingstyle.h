// The look shared by the routing pages and the monitor dialog: amber-on-black source read-outs and
// light keys that light amber while on, both made to sit on the light plates of the panel artwork.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyledItemDelegate>

namespace routingstyle {

// The list opens under the read-out with a scroll bar rather than over the whole screen, and its rows
// are drawn by a delegate that honours the sheet, so the row the arrows reach is lit.
inline void styleSelector(QComboBox *selector)
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

inline const char *const kKey =
    "QPushButton{color: #202124; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6f6f4, "
    "stop:1 #c4c5c1); border: 1px solid #6f7175; border-radius: 4px; font: bold 13px Arial; "
    "letter-spacing: 1px;}"
    "QPushButton:hover{border-color: #303236;}"
    "QPushButton:pressed, QPushButton:checked{background: #26272a; color: #ffaa00; border-color: #050506;}";

// Dark captions on the light plates.
inline const char *const kPlateCaption = "QLabel{color: #202124; font: bold 17px Arial; letter-spacing: 1px;}";
inline const char *const kPlateHint = "QLabel{color: #3a3c40; font-size: 13px; font-family: Arial}";

} // namespace routingstyle
