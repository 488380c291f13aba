#pragma once

#include <QString>
#include <QtGlobal>

// The unit's version texts: the installed application, the model and the kernel.
namespace Global {

// The unit's model letter ('4', '5', 'd', 'e'; 0 when unknown), set by getCurrent_model.
extern quint16 current_model;
// The kernel text, set by getCurrent_kernel.
extern QString current_kernel;
// The installed application's version ("Info/VERSION" of /opt/korvel/readme.kvc).
QString getCurrent_app();
// The model letter and model version, e.g. "5 1.02", from /opt/model.kvc.
QString getCurrent_model();
// The kernel's build date as "yyyyMMdd" from /proc/version ("-.-" when unknown).
QString getCurrent_kernel();

}  // namespace Global
