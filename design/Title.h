// The descriptor's title as Qt text: the caption of every message box without one of its own.
#pragma once

#include "forms/AppDescriptor.h"

#include <QString>

namespace design {

inline QString Title(const forms::AppDescriptorRecord& descriptor = forms::AppDescriptor) {
    return QString::fromUtf8(descriptor.Title.data(),
                             static_cast<qsizetype>(descriptor.Title.size()));
}

} // namespace design
