// Page 0: the mixer model, its strips and the channel editor under them, wired to the unit status
// (model and sample-rate class decide which strips show).
#pragma once

#include <QObject>

class ChannelEditor;
class MeterSection;
class MixerPage;
class QAction;
class ReverbPanel;
class QIXDevice;
class QWidget;
class Settings;
class UndoHistory;

namespace mixer {
class MixControls;
class MixerModel;
class UnitStatus;
} // namespace mixer

class MixerSection : public QObject {
    Q_OBJECT

public:
    // `device`, `settings`: program-wide, not owned, must outlive the section. The page is born in
    // `pages` (the window's page stack): a page adopted later would have its style sheet applied again
    // to every control. GUI thread.
    MixerSection(QIXDevice &device, Settings &settings, QWidget *pages = nullptr, QObject *parent = nullptr);
    ~MixerSection() override;

    // The page with its navigation buttons.
    QWidget *page() const;
    mixer::MixerModel &model() const { return *model_; }
    // Where the page's user changes go (and the routing page's, once it registers its models).
    mixer::MixControls &controls() const { return *controls_; }
    // The compressor and EQ editor at the left of the band under the strips; the rest of the band, up to
    // the navigation buttons, is free for the reverb section.
    ChannelEditor &editor() const { return *editor_; }

    // The strips the unit has follow its rate class.
    void followUnit(const mixer::UnitStatus &unit);
    // Binds the page's level meters and the editor's gain-reduction bar, following the selection.
    void bindMeters(MeterSection &meters) const;
    // "Initialize Reverb" asks first and, on OK, returns every reverb type to its factory values, one
    // step of `history` (which must outlive the section).
    void bindInitializeReverb(QAction *action, UndoHistory &history);
public slots:
    void on_actionInitialize_Reverb_triggered();

private:
    // Owned by the page, so the strips never outlive the model they show.
    mixer::MixerModel *model_ = nullptr;
    mixer::MixControls *controls_ = nullptr;
    MixerPage *page_ = nullptr;
    ChannelEditor *editor_ = nullptr;
    ReverbPanel *reverb_ = nullptr;
    UndoHistory *history_ = nullptr;
};
