// SimpleIni's template bodies for the one instance the program uses, where
// no SimpleIni library is linked (the Windows build): IniFile.cpp includes
// the header without them.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

template class CSimpleIniTempl<char, SI_GenericNoCase<char>, SI_ConvertA<char>>;
