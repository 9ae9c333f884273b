#include "program_identity.h"

#include "program_pictures.h"

#include <QWidget>

void presentAsTheProgram(QWidget &window)
{
    window.setWindowTitle(ProgramName);
    window.setWindowIcon(programIcon());
}
