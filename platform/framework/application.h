#pragma once
// The application object and the framework's main routine.

#include <string>

#include "platform/framework/resources.h"

namespace framework {

class Application {
public:
    // There is one application object, a global of the program.
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Current();
    // The executable's file name without its extension: the caption of every message box.
    static std::string Name();

    // The base initialisation; an override returns false to end the program without a
    // message loop.
    virtual bool InitInstance();
};

// Starts Qt with the program's resources, runs InitInstance of the application object and,
// if it returns true, the message loop.
int ApplicationMain(int argc, char** argv, const ResourceModule& resources);

}  // namespace framework
