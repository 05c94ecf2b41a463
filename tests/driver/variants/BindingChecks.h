#pragma once

// Helpers shared by the binding tests against variant driver libraries.

#include "VELWDM.h"

#include <QString>
#include <QStringList>

#include <dlfcn.h>

// The names whose binding-table entries are empty, in table order.
inline QStringList emptyEntries()
{
    QStringList names;
    for (int i = 0; i < DriverFunctionCount; ++i) {
        const auto function = static_cast<DriverFunction>(i);
        if (!DriverEntryPoint(function))
            names << DriverFunctionName(function);
    }
    return names;
}

// The file of the loaded library that holds address.
inline QString libraryFileOf(const void *address)
{
    Dl_info info = {};
    return dladdr(address, &info) && info.dli_fname ? QString(info.dli_fname) : QString();
}

// The boards as the cards list asks for them: "DEVICEID:BASE" in hexadecimal, or "fail".
inline QStringList queriedBoards(int32_t count)
{
    QStringList boards;
    for (int32_t i = 0; i < count; ++i) {
        uint32_t deviceId = 0;
        uint32_t base = 0;
        boards << (QueryCardInfo(i, &deviceId, &base, nullptr, nullptr)
                       ? QString::number(deviceId, 16).toUpper() + ':'
                             + QString::number(base, 16).toUpper()
                       : QStringLiteral("fail"));
    }
    return boards;
}
