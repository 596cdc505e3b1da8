// Qt's widget file dialog writes the folders it visited and its own layout
// into the user's settings file ("QtProject") when it is destroyed, and
// offers no switch to stop it. While a SettingsSandbox lives, user-scope
// settings point at a location that cannot be written, so the dialog's
// write fails quietly and the program leaves nothing on disk; the previous
// location is put back afterwards.
#pragma once

#include <QSettings>
#include <QString>

namespace vellumark::platform {

class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

private:
    QString previousNative_;
    QString previousIni_;
};

} // namespace vellumark::platform
