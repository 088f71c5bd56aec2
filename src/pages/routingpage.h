// A routing page: one source selector per line output with the arrow of the chosen source's kind
// beside it and, on the large model, the button that opens the monitor. The shell adds the navigation
// buttons into the title band (artlayout::kNavArea).
// Page "Routing_K2" (eight outputs) or "Routing_K1" (two).
#pragma once

#include "unitmodel.h"

#include <QPixmap>
#include <QVector>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace mixer {
class LineOutModel;
class MixControls;
}

class RoutingPage : public QWidget {
    Q_OBJECT
public:
    /// Builds the page of \p unit from the choice tables; \p model is not owned and must outlive the
    /// page. The selectors show the model's current choices and follow every choice it applies; the
    /// user's choices go to \p controls (not owned, must outlive the page). GUI thread.
    RoutingPage(mixer::LineOutModel &model, mixer::MixControls &controls, mixer::UnitModel unit,
                QWidget *parent = nullptr);

    mixer::UnitModel unit() const { return m_unit; }
    /// The monitor button, checkable; null on the small model.
    QPushButton *monitorButton() const { return m_monitor; }

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    void addOutput(int output);
    void addMonitor();
    void addKey();
    void showChoice(mixer::UnitModel unit, int output, int index);

    mixer::LineOutModel &m_model;
    mixer::MixControls &m_controls;
    const mixer::UnitModel m_unit;
    QString m_art; // decoded when first painted
    QVector<QComboBox *> m_selectors;
    QVector<QLabel *> m_arrows;
    QPushButton *m_monitor = nullptr;
};
