# Builds the help and the documentation of one language (run with cmake -P).
#   SOURCE_DIR  lang/help          FOLDER    de, en or fr
#   PAGES       page names, comma-separated, contents page first
#   LCID        CHM language, e.g. "0x409 English (United States)"
#   DOC_TITLE   title of the documentation page
#   CHMCMD      the CHM compiler   WORK_DIR  staging folder
#   CHM_OUT, DOC_OUT  the files to write
#
# The help is compiled from a staged copy, so that the CHM holds plain names
# (index.htm, style.css) and no build paths. The documentation is the same pages
# in one file: their bodies one after another, links between pages turned into
# links within the page, the style sheet inlined, so the file opens on its own in
# any browser.
string(REPLACE "," ";" PAGES "${PAGES}")
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(COPY ${SOURCE_DIR}/style.css DESTINATION ${WORK_DIR})

# The help viewer's contents pane shows names as ANSI text and does not read
# entities, so the page titles go into the contents file as Windows-1252 bytes.
set(ansi_entities auml 228 ouml 246 uuml 252 Auml 196 Ouml 214 Uuml 220 szlig 223 eacute 233 egrave 232 ecirc 234
    euml 235 agrave 224 acirc 226 ccedil 231 icirc 238 iuml 239 ocirc 244 ucirc 251 ugrave 249 Eacute 201 Egrave 200
    Agrave 192 Ccedil 199 oelig 156 OElig 140 laquo 171 raquo 187 nbsp 160 rsquo 146 lsquo 145 ldquo 147 rdquo 148
    bdquo 132 ndash 150 mdash 151 hellip 133 middot 183 amp 38)
function(ansi_text text out)
  set(pairs ${ansi_entities})
  while(pairs)
    list(POP_FRONT pairs name code)
    string(ASCII ${code} byte)
    string(REPLACE "&${name};" "${byte}" text "${text}")
  endwhile()
  if(text MATCHES "&[A-Za-z0-9#]+;")
    message(FATAL_ERROR "${FOLDER}: add ${CMAKE_MATCH_0} to the entity table of BuildHelp.cmake")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(page_title html out)
  string(REGEX MATCH "<title>([^<]*)</title>" found "${html}")
  if(NOT found)
    message(FATAL_ERROR "${FOLDER}: a help page has no <title>")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

set(toc "")
set(files "style.css\n")
set(doc_body "")
set(help_title "")
foreach(page ${PAGES})
  set(source ${SOURCE_DIR}/${FOLDER}/${page}.htm)
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "Help page missing: ${source}")
  endif()
  file(READ ${source} html)
  file(COPY ${source} DESTINATION ${WORK_DIR})
  page_title("${html}" title)
  ansi_text("${title}" title)
  if(help_title STREQUAL "")
    set(help_title "${title}")
  endif()
  string(APPEND toc "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${title}\">"
                    "<param name=\"Local\" value=\"${page}.htm\"></OBJECT>\n")
  string(APPEND files "${page}.htm\n")

  # Body of the page for the documentation.
  string(REGEX REPLACE ".*<body>(.*)</body>.*" "\\1" body "${html}")
  string(REGEX REPLACE "<div class=\"seealso\">[^\n]*</div>\n?" "" body "${body}")
  string(REGEX REPLACE "href=\"([a-z]+)\\.htm\"" "href=\"#\\1\"" body "${body}")
  if(doc_body STREQUAL "")
    string(REGEX REPLACE "<h1>[^<]*</h1>" "<h1>${DOC_TITLE}</h1>" body "${body}")
  endif()
  string(APPEND doc_body "<div class=\"page\" id=\"${page}\">\n${body}</div>\n")
endforeach()

file(WRITE ${WORK_DIR}/toc.hhc
  "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n"
  "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n</HEAD>\n<BODY>\n"
  "<OBJECT type=\"text/site properties\"><param name=\"Window Styles\" value=\"0x800025\"></OBJECT>\n"
  "<UL>\n${toc}</UL>\n</BODY>\n</HTML>\n")
get_filename_component(chm_name ${CHM_OUT} NAME)
file(WRITE ${WORK_DIR}/help.hhp
  "[OPTIONS]\n"
  "Compatibility=1.1 or later\n"
  "Compiled file=${chm_name}\n"
  "Contents file=toc.hhc\n"
  "Default Window=main\n"
  "Default topic=index.htm\n"
  "Display compile progress=No\n"
  "Language=${LCID}\n"
  "Title=${help_title}\n"
  "\n[WINDOWS]\n"
  "main=\"${help_title}\",\"toc.hhc\",,\"index.htm\",\"index.htm\",,,,,0x2520,240,0x3006,[60,40,860,640],,,,,,,0\n"
  "\n[FILES]\n${files}")

file(REMOVE ${WORK_DIR}/${chm_name})
execute_process(COMMAND ${CHMCMD} help.hhp WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/${chm_name})
  message(FATAL_ERROR "chmcmd failed for ${FOLDER}:\n${output}")
endif()
file(COPY_FILE ${WORK_DIR}/${chm_name} ${CHM_OUT})

file(READ ${SOURCE_DIR}/style.css css)
string(REGEX MATCH "<html lang=\"[a-z]+\">" html_tag "${html}")
file(WRITE ${DOC_OUT}
  "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n${html_tag}\n<head>\n"
  "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
  "<title>${DOC_TITLE}</title>\n<style type=\"text/css\">\n${css}"
  ".page { margin-bottom: 28px; }\n</style>\n</head>\n<body>\n${doc_body}</body>\n</html>\n")
