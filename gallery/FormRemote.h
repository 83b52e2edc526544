#pragma once
// The remote control: steps through the folder and runs the slide show.
#include "Forms.h"

class FormRemote : public LoadableForm {
    Q_OBJECT
public:
    FormRemote();
};
