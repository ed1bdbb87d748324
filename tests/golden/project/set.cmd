quillmark-run
--set
D=80
--set
M=сталь 40Х
--set
D1=40,5js7
--set
K=1e-6
@CASE@/params.qmp
