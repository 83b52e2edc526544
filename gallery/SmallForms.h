#pragma once
// The enlarged view, the remote control, the save-location dialog, the picture information and
// the note editor: loaded on reference, closed by unloading.
#include "Forms.h"

class FormBlowUp : public LoadableForm {
    Q_OBJECT
public:
    FormBlowUp();
};

class FormRemote : public LoadableForm {
    Q_OBJECT
public:
    FormRemote();
};

class FormSave : public LoadableForm {
    Q_OBJECT
public:
    FormSave();
};

class FormInfo : public LoadableForm {
    Q_OBJECT
public:
    FormInfo();
};

class FormNote : public LoadableForm {
    Q_OBJECT
public:
    FormNote();
};
