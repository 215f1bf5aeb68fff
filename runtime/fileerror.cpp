// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/fileerror.h"

#include <cstring>

namespace angoli
{

std::string FileError::message() const
{
    const char *sentence = "";
    switch (action) {
    case Action::Open:
        sentence = "Impossibile aprire il file ";
        break;
    case Action::Create:
        sentence = "Impossibile creare il file ";
        break;
    case Action::Read:
        sentence = "Impossibile leggere il file ";
        break;
    case Action::Write:
        sentence = "Impossibile scrivere il file ";
        break;
    case Action::Directory:
        sentence = "Impossibile usare la cartella ";
        break;
    case Action::Access:
        sentence = "Impossibile accedere al file ";
        break;
    case Action::Wait:
        sentence = "La cartella dei record è occupata da un altro gioco: ";
        break;
    }
    std::string text = sentence + path;
    if (!reason.empty())
        text += ": " + reason;
    return text;
}

FileError FileError::fromErrno(const std::string &path, int err, Action action)
{
    return FileError{path, std::strerror(err), action};
}

} // namespace angoli
