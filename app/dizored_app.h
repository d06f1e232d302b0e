#pragma once

#include "platform/framework/application.h"

// The application: shows the main dialog and ends when it closes.
class CDizoredApp : public framework::Application {
public:
    bool InitInstance() override;
};
