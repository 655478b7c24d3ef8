// SPDX-License-Identifier: GPL-3.0-or-later
#include "config_home.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QSettings>
#include <QString>
#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

QSettings Settings(const std::string& app) {
    const QString name = QString::fromStdString(app);
    return QSettings(QSettings::IniFormat, QSettings::UserScope, name, name);
}

class TemporaryConfigHome : public testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-scores-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Folder() = pattern;
        ASSERT_EQ(setenv("XDG_CONFIG_HOME", pattern.c_str(), 1), 0);
        // Stop here rather than run a single test against the real table.
        const std::string file = TableFile();
        if (file.rfind(pattern + "/", 0) != 0) {
            std::fprintf(stderr, "the settings file %s is outside %s\n", file.c_str(), pattern.c_str());
            std::abort();
        }
    }
    void TearDown() override {
        if (!Folder().empty()) std::filesystem::remove_all(Folder());
    }
};

[[maybe_unused]] testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new TemporaryConfigHome);

}  // namespace

const std::string& ConfigHome() { return Folder(); }

std::string TableFile(const std::string& app) { return Settings(app).fileName().toStdString(); }

void ClearTable(const std::string& app) {
    QSettings settings = Settings(app);
    settings.clear();
    settings.sync();
}

}  // namespace quorvane::test
