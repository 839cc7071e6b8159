#!/usr/bin/env python3
"""Writes the installer's list of the program's files (a WiX fragment, component group
ProgramFiles under INSTALLDIR) from the Windows build's folder, one component per file.

Usage: program_files.py FOLDER SOURCE-PREFIX OUT.wxs WIN64

Ids and component GUIDs come from each file's path in the folder, so that the same path keeps
the same component in every version (what Windows Installer's upgrade rules ask) and the same
folder always gives the same list."""
import hashlib
import os
import sys
import uuid
from xml.sax.saxutils import quoteattr

# A namespace of our own for the GUIDs made from paths.
NAMESPACE = uuid.UUID("4f0b7a52-9c1e-4d63-8a2f-d15e6b93c720")


def ident(kind, rel):
    return kind + hashlib.sha1(rel.encode("utf-8")).hexdigest()[:20]


def main():
    folder, prefix, out, win64 = sys.argv[1:5]
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">', "  <Fragment>",
             '    <DirectoryRef Id="INSTALLDIR">']
    components = []

    def walk(rel_dir, depth):
        here = os.path.join(folder, rel_dir)
        names = sorted(os.listdir(here))
        pad = "      " + "  " * depth
        for name in names:
            rel = os.path.join(rel_dir, name) if rel_dir else name
            path = os.path.join(here, name)
            if os.path.islink(path):
                sys.exit(f"program_files.py: {rel} is a link; the installer takes files only")
            if os.path.isdir(path):
                lines.append(f"{pad}<Directory Id={quoteattr(ident('d', rel))} Name={quoteattr(name)}>")
                walk(rel, depth + 1)
                lines.append(f"{pad}</Directory>")
                continue
            win_rel = rel.replace(os.sep, "\\")
            cid = ident("c", win_rel.lower())
            guid = str(uuid.uuid5(NAMESPACE, win_rel.lower())).upper()
            source = prefix + "/" + rel
            lines.append(f"{pad}<Component Id={quoteattr(cid)} Guid={quoteattr(guid)} Win64={quoteattr(win64)}>")
            lines.append(f"{pad}  <File Id={quoteattr(ident('f', win_rel.lower()))} Name={quoteattr(name)} "
                         f"Source={quoteattr(source)} KeyPath=\"yes\"/>")
            lines.append(f"{pad}</Component>")
            components.append(cid)

    walk("", 0)
    lines += ["    </DirectoryRef>", '    <ComponentGroup Id="ProgramFiles">']
    lines += [f"      <ComponentRef Id={quoteattr(c)}/>" for c in components]
    lines += ["    </ComponentGroup>", "  </Fragment>", "</Wix>", ""]
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    print(len(components))


if __name__ == "__main__":
    main()
