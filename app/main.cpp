// Dizored: the dialog application.

#include "app/dizored_app.h"
#include "res/dizored_resources.h"

CDizoredApp theApp;

int main(int argc, char** argv)
{
    return framework::ApplicationMain(argc, argv, DizoredResources());
}
