#pragma once
// Qt's own dialogs (file dialogs, standard buttons, the print dialog) in Spanish, like the
// program: Qt's Spanish catalogue, and the few texts that catalogue lacks, such as the
// file dialog's "Folder".

// Installs both on the application (which owns them), once: later calls do nothing.
void InstalarTraduccionQt();
