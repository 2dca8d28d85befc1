#pragma once

class QCoreApplication;

// Installs Qt's own Russian translations so standard dialogs and message-box buttons speak
// Russian; nothing happens when they are not installed.
void installQtTranslations(QCoreApplication &app);
