/* The default file hooks that shapelib's own safileio.c provides (that file
 * is not in gdal's copy): plain stdio, as the library's DBFOpen and
 * DBFCreate expect them. The game passes hooks of its own everywhere. */
#include "shapefil.h"

#include <stdio.h>
#include <stdlib.h>

static SAFile sa_open(const char *name, const char *access) { return (SAFile)fopen(name, access); }
static SAOffset sa_read(void *p, SAOffset size, SAOffset n, SAFile f) { return fread(p, size, n, (FILE *)f); }
static SAOffset sa_write(void *p, SAOffset size, SAOffset n, SAFile f) { return fwrite(p, size, n, (FILE *)f); }
static SAOffset sa_seek(SAFile f, SAOffset offset, int whence) { return fseek((FILE *)f, (long)offset, whence); }
static SAOffset sa_tell(SAFile f) { return (SAOffset)ftell((FILE *)f); }
static int sa_flush(SAFile f) { return fflush((FILE *)f); }
static int sa_close(SAFile f) { return fclose((FILE *)f); }
static int sa_remove(const char *name) { return remove(name); }
static void sa_error(const char *message) { fprintf(stderr, "%s\n", message); }

void SASetupDefaultHooks(SAHooks *hooks)
{
    hooks->FOpen = sa_open;
    hooks->FRead = sa_read;
    hooks->FWrite = sa_write;
    hooks->FSeek = sa_seek;
    hooks->FTell = sa_tell;
    hooks->FFlush = sa_flush;
    hooks->FClose = sa_close;
    hooks->Remove = sa_remove;
    hooks->Error = sa_error;
    hooks->Atof = atof;
}
