// A registry document imported from text as the window imports a file, without a window: what the
// tests and the fuzz target read, write and compare.
#pragma once

#include "RegDump.h"
#include "RegImport.h"
#include "RegLines.h"
#include "RegNodes.h"
#include "RegPlainNode.h"
#include "RegValueTable.h"
#include "RegWriter.h"

struct RegTextDocument {
    // Fresh keys by count: unique within the document is all a key must be.
    RegNodes nodes{[count = 0](int) mutable { return QString::number(++count); }};
    RegValueTable values;
    RegPlainNode file{QStringLiteral("a.reg")};
    QString errors;

    explicit RegTextDocument(const QString& text) : RegTextDocument(RegLines(text)) {}
    explicit RegTextDocument(RegLines lines) {
        nodes.SetUpFileNode(&file);
        RegImport import(nodes, values, &file);
        QStringView line;
        // The first line goes to the import even when empty, as the window hands it over.
        for (bool first = true; lines.Next(&line); first = false) {
            if (first || !line.isEmpty())
                import.Handle(line, lines);
        }
        errors = import.Errors();
    }

    // written: only what a file can carry (see Dump).
    QStringList Dumped(bool written = false) const { return Dump(&file, values, written); }
    QString Text(bool expanded) const { return RegWriter::Text(&file, values, expanded); }
};
