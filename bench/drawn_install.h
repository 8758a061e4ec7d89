#pragma once

#include <memory>
#include <string>

#include "document/app_settings.h"
#include "platform/platform.h"

namespace bench {

// A drawn stand-in installation of the ZV edition in a temporary Wine prefix, with the
// platform over it and the settings the start-up checks would find; removed with the object.
// Writing it takes a few seconds, so a benchmark keeps one for its whole run.
class DrawnInstall {
public:
    DrawnInstall();
    ~DrawnInstall();
    DrawnInstall(const DrawnInstall&) = delete;
    DrawnInstall& operator=(const DrawnInstall&) = delete;

    // False when the installation could not be written; nothing else may be used then.
    bool Ok() const { return m_ok; }
    platform::Platform& Platform() { return *m_platform; }
    const document::AppSettings& Settings() const { return m_settings; }

private:
    std::string m_root;
    bool m_ok = false;
    std::unique_ptr<platform::Platform> m_platform;
    document::AppSettings m_settings;
};

}  // namespace bench
