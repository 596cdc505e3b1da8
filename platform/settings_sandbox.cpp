#include "platform/settings_sandbox.h"

#include <QFileInfo>

namespace vellumark::platform {

namespace {

// A path below a character device: no directory or file can be made there,
// not even by root.
const char* const kUnwritableSettingsPath = "/dev/null";

// The folder that user-scope settings of this format go to now.
QString UserSettingsPath(QSettings::Format format) {
    const QSettings probe(format, QSettings::UserScope, QStringLiteral("QtProject"));
    return QFileInfo(probe.fileName()).absolutePath();
}

} // namespace

SettingsSandbox::SettingsSandbox()
    : previousNative_(UserSettingsPath(QSettings::NativeFormat)),
      previousIni_(UserSettingsPath(QSettings::IniFormat)) {
    const QString unwritable = QString::fromLatin1(kUnwritableSettingsPath);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, unwritable);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, unwritable);
}

SettingsSandbox::~SettingsSandbox() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, previousNative_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, previousIni_);
}

} // namespace vellumark::platform
