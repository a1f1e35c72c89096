#include "app/desktop/CPelloraApp.h"

int main(int argc, char** argv)
{
    Pellora::Desktop::CPelloraApp app(argc, argv);
    return app.InitInstance();
}
