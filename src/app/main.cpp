#include "app/TrendApp.h"

int main(int argc, char** argv) {
    veltrix::CTrendApp app(argc, argv);
    // The window builds its real services (message boxes, the desktop's file
    // opener, the program launcher, the download client) itself.
    return app.InitInstance();
}
