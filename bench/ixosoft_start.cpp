// The program as src/app/main.cpp starts it, with no splash pause and the mark the start-up
// benchmark waits for.
#include "MappedSignal.h"
#include "app/widgets/Avvio.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CMappedSignal mapped("FMain");
    app.installEventFilter(&mapped);
    return Main(0);
}
