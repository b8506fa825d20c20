# Wraps cmark-gfm's HTML fragment of the guide in a complete page with a little style.
execute_process(COMMAND ${CMARK} --extension table --to html ${INPUT} OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmark failed on ${INPUT}")
endif()
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Murelo 9918 user guide</title>
<style>
body { font-family: sans-serif; max-width: 50em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: 0.2em 0.6em; text-align: left; vertical-align: top; }
pre, code { background: #f2f2f2; }
pre { padding: 0.6em; }
</style>
</head>
<body>
${body}</body>
</html>
")
