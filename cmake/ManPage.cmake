# cmake -DSOURCE=page.1.in -DTARGET=page.1 -DPROJECT_VERSION=... -P ManPage.cmake
# Fills in @VARIABLES@ and writes the German letters as groff characters,
# so that the page needs no input encoding (groff -man reads it as it is).
file(READ ${SOURCE} page)
string(CONFIGURE "${page}" page @ONLY)
foreach(pair "ä;\\(:a" "ö;\\(:o" "ü;\\(:u" "Ä;\\(:A" "Ö;\\(:O" "Ü;\\(:U" "ß;\\(ss" "–;\\(en")
  list(GET pair 0 letter)
  list(GET pair 1 glyph)
  string(REPLACE "${letter}" "${glyph}" page "${page}")
endforeach()
file(WRITE ${TARGET} "${page}")
