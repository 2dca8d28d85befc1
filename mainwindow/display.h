#pragma once

// True when windows can be shown: a graphical session, or a Qt platform the user chose himself.
bool displayAvailable();
