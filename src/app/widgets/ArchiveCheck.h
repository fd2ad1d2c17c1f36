#pragma once

class QWidget;

// The check of the archive's file that the opening left for later, run on the event loop once
// the main window shows: one part (a table with its indexes) each time the loop is free, so the
// window keeps answering. A damaged part shows message 317 over the window; the archive has
// then refused every change since.
void StartArchiveCheck(QWidget *window);
