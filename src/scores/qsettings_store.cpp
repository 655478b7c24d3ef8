// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/qsettings_store.h"

#include <QSettings>
#include <QString>

namespace quorvane {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Keys like " 0" keep their blank; the section is a QSettings group.
QString Path(const std::string& section, const std::string& key) { return Q(section) + '/' + Q(key); }

}  // namespace

std::string QSettingsStore::Read(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& fallback) const {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, Q(app), Q(app));
    const QVariant value = settings.value(Path(section, key));
    if (!value.isValid()) return fallback;
    // A hand-edited value with commas in it reads back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

void QSettingsStore::Write(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, Q(app), Q(app));
    settings.setValue(Path(section, key), Q(value));
    // Written through at once: the table must survive the program ending right after.
    settings.sync();
}

}  // namespace quorvane
