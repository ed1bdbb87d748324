quillmark-run
--set
K=1,2.3
@CASE@/params.qmp
