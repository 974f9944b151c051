#pragma once
// The Run menu's last entry follows the run: the first run adds a separator and
// Terminate after the menu's own entries; from then on the last entry is
// Terminate while a model runs and the last model ("path\tCtrl+K") afterwards.
class QAction;
class QMenu;

class CRunMenu {
public:
    // Puts `terminate` last, with the text "Terminate\tCTRL+BREAK".
    static void ShowTerminate(QMenu* menu, QAction* terminate);
    // Puts `runLast` last, with the model's path and "\tCtrl+K" as its text.
    static void ShowRunLast(QMenu* menu, QAction* runLast, const char* path);

private:
    static void PutLast(QMenu* menu, QAction* action);
};
