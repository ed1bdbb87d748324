quillmark-run
--set
d=80
@CASE@/params.qmp
