#include "panelrig.h"

#include "mainwindow.h"
#include "qixdevice.h"
#include "resources.h"
#include "screenfit.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QLabel>

#include <cstdio>

namespace bench {
namespace {

bool writeSettings(const QString &configHome)
{
    const QString dir = configHome + QStringLiteral("/AVENOR");
    QFile f(dir + QStringLiteral("/DUOMIX_Setting.ini"));
    return QDir().mkpath(dir) && f.open(QIODevice::WriteOnly) &&
           f.write("[Misc]\nInformation_Dialog=true\n\n[TrackMaster]\nFader=0\n") > 0;
}

} // namespace

PanelRig::PanelRig(const QTemporaryDir &home) : home_(home) {}

PanelRig::~PanelRig()
{
    window_.reset();
    if (device_)
        device_->shutdown(5000);
}

bool PanelRig::start()
{
    if (!home_.isValid() || !writeSettings(home_.path() + QStringLiteral("/config")))
        return false;
    unit_ = std::make_unique<UnitRig>();
    if (!unit_->start())
        return false;
    lyntra_init_resources();
    device_ = std::make_unique<QIXDevice>();
    settings_ = std::make_unique<Settings>();
    window_ = std::make_unique<MainWindow>(*device_, *settings_);
    window_->show();
    // Offscreen the screen is 800 x 600: the figures are for a screen that shows the whole window.
    window_->setFixedSize(window_->findChild<ScreenFit *>()->natural());
    // The rate shows once the unit is set up.
    const QLabel *rate = window_->findChild<QLabel *>(QStringLiteral("label_IntSampleRate"));
    if (!wait_until([&] { return rate && !rate->text().isEmpty(); }, 15000)) {
        std::fprintf(stderr, "the window never set the unit up\n");
        return false;
    }
    return true;
}

} // namespace bench
