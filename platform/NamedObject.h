#pragma once
// Controls carry the system's names as their object names, so tests and tools find them.

#include <QObject>
#include <QString>

namespace vantorell {

template <typename Object>
Object* named(Object* object, const char* name) {
    object->setObjectName(QString::fromUtf8(name));
    return object;
}

}  // namespace vantorell
