#include "app/SudokuApp.h"

static SudokuApp theApp;

int main(int argc, char **argv)
{
    return VxApp::Execute(argc, argv);
}
