#pragma once

#include <QString>

class QWidget;

// Tells the user that a choice could not be saved in the settings file (the file's reason
// follows when there is one): one warning for the whole choice, which the program goes on
// using for this run.
void TellSettingsNotStored(QWidget *window, const QString &fault);
