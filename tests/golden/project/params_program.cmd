quillmark-run
--print-program
@CASE@/params.qmp
