// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-memory platform with the real table store in place of its map: the dialogs stay
// scripted, and the writes are saved when the real program saves them, before the next
// read or box. A save that fails is recorded as the warning the program would show.

#include <string>

#include "fake_platform.h"
#include "scores/table_store.h"

namespace quorvane::test {

class StorePlatform : public FakePlatform {
public:
    explicit StorePlatform(const std::string& configHome) : store(configHome) {}

    std::string ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
        Save();
        return store.Read(app, section, key, fallback);
    }
    void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override {
        writes.push_back({app, section, key, value});
        store.Write(app, section, key, value);
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        Save();
        FakePlatform::ShowMessage(text, title, icon);
    }
    std::string InputBox(const std::string& title, const std::string& prompt) override {
        Save();
        return FakePlatform::InputBox(title, prompt);
    }

    TableStore store;

private:
    // As the real program does; the warning box comes back through ShowMessage above,
    // with nothing left to save.
    void Save() { SaveAndTell(store, *this); }
};

}  // namespace quorvane::test
