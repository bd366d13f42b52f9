#pragma once

class QApplication;
class QString;

// The program from start to exit code. The command-line text is the whole remaining command
// line, joined with single spaces: one file path.
int wWinMain(QApplication &application, const QString &commandLine);
bool InitInstance(QApplication &application);
void ExitInstance();
// The command-line text as a path: a relative one is taken against the working folder.
QString commandLinePath(const QString &commandLine);
