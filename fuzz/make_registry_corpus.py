#!/usr/bin/env python3
"""Writes the seed corpus of the registry_open fuzz target: a small sound
registry made by brackwell-reg, and copies of it with one kind of damage each.
Run it again when the store's file layout changes:
    fuzz/make_registry_corpus.py build/default/tools/brackwell-reg fuzz/corpus/registry_file
"""
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile

CONTENT = r'''Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Sample]
@="default"
"String"="text"
"Number"=dword:0000002a
"Binary"=hex:01,02,03
"Multi"=hex(7):61,00,00,00,62,00,00,00,00,00
"Expand"=hex(2):25,00,41,00,25,00,00,00
"Other"=hex(100):ff

[HKEY_CURRENT_USER\Software\Sample\Child\Grandchild]
"Deep"="value"

[HKEY_LOCAL_MACHINE\Caf\u00e9]
"Gr\u00f6\u00dfe"=dword:0000000c
'''.replace('\\u00e9', '\u00e9').replace('\\u00f6\\u00df', '\u00f6\u00df')


def utf16(text):
    return text.encode('utf-16-le')


def sound_registry(tool, folder):
    """A registry made by the store, emptied of the default keys, then filled
    with CONTENT and stored in 512-byte pages to keep the file small."""
    path = os.path.join(folder, 'sound.sqlite3')
    reg = os.path.join(folder, 'content.reg')
    # Opening the file creates it; the empty import itself is refused.
    subprocess.run([tool, '--registry', path, 'import', os.devnull], capture_output=True)
    db = sqlite3.connect(path)
    db.execute('DELETE FROM vals')
    db.execute('DELETE FROM keys WHERE parent != 0')
    db.commit()
    db.close()
    with open(reg, 'w', encoding='utf-8') as out:
        out.write(CONTENT)
    subprocess.run([tool, '--registry', path, 'import', reg], check=True)
    db = sqlite3.connect(path)
    db.execute('PRAGMA page_size=512')
    db.execute('VACUUM')
    db.close()
    return path


def with_sql(statements):
    def damage(path):
        db = sqlite3.connect(path)
        for statement in statements:
            db.execute(*statement) if isinstance(statement, tuple) else db.execute(statement)
        db.commit()
        db.close()
    return damage


def with_bytes(change):
    def damage(path):
        with open(path, 'rb') as f:
            data = bytearray(f.read())
        data = change(data)
        with open(path, 'wb') as f:
            f.write(data)
    return damage


def set_bytes(offset, values):
    def change(data):
        data[offset:offset + len(values)] = values
        return data
    return change


def deep_chain(depth):
    statements = []
    for level in range(depth):
        statements.append(("INSERT INTO keys(parent, name, folded) VALUES "
                           "((SELECT max(id) FROM keys), ?, ?)", (utf16('k'), utf16('K'))))
    return statements


DAMAGE = {
    'sound': lambda path: None,
    'truncated-half': with_bytes(lambda d: d[:len(d) // 2]),
    'truncated-header': with_bytes(lambda d: d[:50]),
    'bad-magic': with_bytes(set_bytes(0, b'SQLite format 2\0')),
    'other-application-id': with_sql(['PRAGMA application_id=0']),
    'newer-schema': with_sql(['PRAGMA user_version=2']),
    'older-schema': with_sql(['PRAGMA user_version=0']),
    'wal-header': with_bytes(set_bytes(18, b'\x02\x02')),
    'page-count-wrong': with_bytes(set_bytes(28, b'\x00\x00\xff\xff')),
    'page-overwritten': with_bytes(lambda d: d[:1024] + bytes([0xa5]) * 512 + d[1536:]),
    'no-values-table': with_sql(['DROP TABLE vals']),
    'no-keys-table': with_sql(['DROP TABLE keys']),
    'orphan-key': with_sql([("UPDATE keys SET parent = 9999 WHERE folded = ?", (utf16('CHILD'),))]),
    'key-cycle': with_sql([("UPDATE keys SET parent = (SELECT id FROM keys WHERE folded = ?) "
                            "WHERE folded = ?", (utf16('GRANDCHILD'), utf16('CHILD')))]),
    'key-is-own-parent': with_sql([("UPDATE keys SET parent = id WHERE folded = ?", (utf16('CHILD'),))]),
    'backslash-in-name': with_sql([("UPDATE keys SET name = ?, folded = ? WHERE folded = ?",
                                    (utf16('a\\b'), utf16('A\\B'), utf16('CHILD')))]),
    'empty-key-name': with_sql([("UPDATE keys SET name = x'', folded = x'' WHERE folded = ?",
                                 (utf16('CHILD'),))]),
    'key-name-too-long': with_sql([("UPDATE keys SET name = ?, folded = ? WHERE folded = ?",
                                    (utf16('n' * 256), utf16('N' * 256), utf16('CHILD')))]),
    'value-name-too-long': with_sql([("UPDATE vals SET name = ?, folded = ? WHERE folded = ?",
                                      (utf16('v' * 256), utf16('V' * 256), utf16('STRING')))]),
    'odd-length-name': with_sql([("UPDATE keys SET name = x'41', folded = x'41' WHERE folded = ?",
                                  (utf16('CHILD'),))]),
    'lone-surrogate-name': with_sql([("UPDATE keys SET name = x'00d8', folded = x'00d8' WHERE folded = ?",
                                      (utf16('CHILD'),))]),
    'folded-mismatch': with_sql([("UPDATE keys SET folded = ? WHERE folded = ?",
                                  (utf16('OTHER'), utf16('CHILD')))]),
    'case-duplicate-keys': with_sql([("UPDATE keys SET name = ?, folded = ? WHERE folded = ?",
                                      (utf16('child'), utf16('child'), utf16('GRANDCHILD')))]),
    'value-of-missing-key': with_sql(["UPDATE vals SET key = 9999 WHERE rowid = (SELECT min(rowid) FROM vals)"]),
    'name-as-text': with_sql([("UPDATE keys SET name = 'text' WHERE folded = ?", (utf16('CHILD'),))]),
    'data-as-integer': with_sql(["UPDATE vals SET data = 7"]),
    'type-out-of-range': with_sql(["UPDATE vals SET type = 4294967296"]),
    'type-negative': with_sql(["UPDATE vals SET type = -1"]),
    'root-missing': with_sql([("DELETE FROM keys WHERE parent = 0 AND folded = ?",
                               (utf16('HKEY_USERS'),))]),
    'extra-root': with_sql([("INSERT INTO keys(parent, name, folded) VALUES (0, ?, ?)",
                             (utf16('HKEY_EXTRA'), utf16('HKEY_EXTRA')))]),
    'too-deep': with_sql(deep_chain(513)),
    'extra-table': with_sql(['CREATE TABLE extra(x)']),
}


def main():
    tool, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        sound = sound_registry(tool, folder)
        for name, damage in DAMAGE.items():
            target = os.path.join(out, name + '.sqlite3')
            shutil.copyfile(sound, target)
            damage(target)
            if os.path.exists(target + '-journal'):
                os.remove(target + '-journal')


if __name__ == '__main__':
    main()
