#pragma once

// Showing the program's messages.

#include <string>

class TMessForm;

// Shows the message (Windows-1252 text) in the message form with the given kind and returns
// the button that closed it: 1 "&Ok", 2 "&Annuler" or the close box. When the form cannot be
// shown, a plain message box shows "EXCEPT:" and the message, and the result is 0.
int ShowMessageDialog(TMessForm* form, const std::string& message, int kind);
