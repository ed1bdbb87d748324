// Registration of the KS commands, shared by the files that implement them.
#pragma once

#include "interp/state.h"
#include "kompas/ks_args.h"
#include "kompas/link.h"

namespace qm::kompas {

// A command that reads arguments: it is given them tokenized and the link to send through.
using KsCommand = void (*)(KsArgs& args, KompasLink& link);
// A command without arguments (its argument text is ignored).
using KsBareCommand = void (*)(KompasLink& link);

void addCommand(CCompil& st, KompasLink& link, const char* name, KsCommand fn);
void addCommand(CCompil& st, KompasLink& link, const char* name, KsBareCommand fn);

void installGeometryCommands(CCompil& st, KompasLink& link);
void installViewCommands(CCompil& st, KompasLink& link);
void installDimensionCommands(CCompil& st, KompasLink& link);
void installShortcutCommands(CCompil& st, KompasLink& link);

// Arguments 1 to 10 of KSANGDIMENSION (and of its shortcut), first to last.
void readAngularGeometry(KsArgs& a, AngDimRecord& r);

} // namespace qm::kompas
