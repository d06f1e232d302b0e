#include "platform/framework/application.h"

#include <QApplication>
#include <filesystem>
#include <system_error>

namespace framework {

namespace {
Application* g_application = nullptr;
}

Application::Application()
{
    g_application = this;
}

Application::~Application()
{
    if (g_application == this)
        g_application = nullptr;
}

Application* Application::Current()
{
    return g_application;
}

std::string Application::Name()
{
    // The file itself, not argv[0]: a renamed executable gets the new name.
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.stem().string();
}

bool Application::InitInstance()
{
    QApplication::setApplicationName(QString::fromStdString(Name()));
    return true;
}

int ApplicationMain(int argc, char** argv, const ResourceModule& resources)
{
    QApplication qtApplication(argc, argv);
    SetResourceModule(resources);
    Application* application = Application::Current();
    if (!application)
        return 1;
    return application->InitInstance() ? QApplication::exec() : 0;
}

}  // namespace framework
