# Writes the file IN as a C++ raw string literal into OUT.
file(READ ${IN} _text)
file(WRITE ${OUT} "R\"FENNORY_SQL(${_text})FENNORY_SQL\"\n")
