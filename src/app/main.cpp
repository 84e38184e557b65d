#include "app/TrendApp.h"

int main(int argc, char** argv) {
    veltrix::CTrendApp app(argc, argv);
    return app.InitInstance();
}
